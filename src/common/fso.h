// FSO: reads a whole file as GB18030 text and writes a whole text in a named charset, keeping
// the text read and the description of the last failure.
#pragma once

#include <QString>

class FSO
{
public:
    // Reads the file; true on success. On failure the file text keeps its previous value.
    bool OpenFile(const QString &FileName);
    QString GetFileText() const { return m_fileText; }
    QString GetErrorInfo() const { return m_errorText; }
    // Writes strFileBody, replacing the file atomically (a failure leaves the old file whole).
    bool SaveFile(const QString &FileName, const QString &strFileBody);
    // The charset for SaveFile; empty means "gb2312" (written as GB18030, no byte-order mark).
    void SetCoding(const QString &vNewValue) { m_coding = vNewValue; }

private:
    QString m_fileText;
    QString m_errorText;
    QString m_coding;
};
