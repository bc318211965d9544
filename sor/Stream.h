#pragma once

namespace bc {

class CFileStream;

// Every block, block part and record reads and writes itself through this
// one operation, in the direction the stream runs.
class IStream
{
public:
    virtual void Stream(CFileStream& stream) = 0;

protected:
    ~IStream() = default;
};

} // namespace bc
