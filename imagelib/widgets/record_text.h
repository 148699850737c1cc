#pragma once
// Texts of the settings record and of a data file are 8-bit bytes; on this
// system file names are UTF-8, and so are the texts typed into the windows.
// Bytes that are not UTF-8 (a title written on another system) show as
// replacement characters, so a text goes back as its original bytes unless
// the user changed it.
#include <QFile>
#include <QString>
#include <string>

inline QString shownText(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

inline std::string keptText(const QString& shown, const std::string& original) {
    if (shown == shownText(original))
        return original;
    return QFile::encodeName(shown).toStdString();
}
