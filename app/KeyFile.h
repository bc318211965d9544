#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File helpers of the desktop's association files that report errno, so
// that a failure reaches the user with the system's own reason.
int ReadWholeFile(const QString& path, QByteArray* bytes);
// Writes beside the target and renames over it: a failed write never
// leaves the user's association files half written.
int WriteFileAtomically(const QString& path, const QByteArray& bytes);
int MakePath(const QString& folder);
int RemoveFile(const QString& path);
// 0 when the folder is writable or can be created, else errno.
int CheckWritableFolder(const QString& folder);

// A desktop "key file" (desktop entries, mimeapps.list): groups of
// key=value lines. Edits keep every other line, comment and order as found.
class CKeyFile
{
public:
    // Missing file reads as empty; other failures return errno.
    int Load(const QString& path);
    int Save(const QString& path) const;

    bool IsEmpty() const { return lines.isEmpty(); }
    // The unescaped value, or a null text when the key is absent.
    QString Value(const QString& group, const QString& key) const;
    void SetValue(const QString& group, const QString& key, const QString& value);
    bool Remove(const QString& group, const QString& key);
    QByteArray ToBytes() const;

private:
    int GroupLine(const QString& group) const;
    int GroupEnd(int groupLine) const;
    int KeyLine(const QString& group, const QString& key) const;

    QStringList lines;
};
