#pragma once

class QTextCodec;

// The codec of the program's 8-bit texts. It is passed explicitly wherever
// such text is decoded; the process-wide locale codec stays untouched so that
// file names keep the system's encoding.
QTextCodec* GetLocaleCodec();
