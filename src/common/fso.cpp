// FSO: whole-file text reads and writes.
#include "common/fso.h"

#include "common/codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

bool FSO::OpenFile(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorText = FileName + QStringLiteral("打开失败！错误信息:") + file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_errorText = FileName + QStringLiteral("打开失败！错误信息:") + file.errorString();
        return false;
    }
    m_fileText = Codec::decodeAnsi(bytes);
    return true;
}

bool FSO::SaveFile(const QString &FileName, const QString &strFileBody)
{
    const QString charset = m_coding.isEmpty() ? QStringLiteral("gb2312") : m_coding;
    const auto fail = [&](const QString &why) {
        m_errorText = FileName + QStringLiteral("保存失败！错误信息:") + why;
        return false;
    };
    QByteArray bytes;
    const QString lower = charset.toLower();
    if (lower == u"gb2312" || lower == u"gbk" || lower == u"gb18030") {
        bytes = Codec::encodeAnsi(strFileBody);
    } else {
        QStringEncoder encoder(charset.toLatin1().constData());
        if (!encoder.isValid())
            return fail(QStringLiteral("不支持的字符集 ") + charset);
        bytes = encoder.encode(strFileBody);
    }
    const QFileInfo existing(FileName);
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()))
        return fail(QStringLiteral("文件不可写"));
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
