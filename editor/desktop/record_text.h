#pragma once
// Texts of a data file are 8-bit bytes; on this system file names and what
// is typed into the windows are UTF-8. Bytes that are not UTF-8 show as
// replacement characters, so a text goes back as its original bytes unless
// the user changed it.
#include <QFile>
#include <QString>
#include <string>

inline QString shownEntryText(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

inline std::string keptEntryText(const QString& shown, const std::string& original) {
    if (shown == shownEntryText(original))
        return original;
    return QFile::encodeName(shown).toStdString();
}
