#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The zoom level last set per typed address: Browser.ini in the program's folder, section
// "Browser", the key the address as typed in the address box, the value the level in the
// system's number format ("1", "0,5" on a Dutch system, "-1.5" on an English one). Values are
// read back with either decimal separator, so a file keeps working when the system's format
// changes.
//
// An INI key cannot hold "=" and cannot begin with ";", "#" or "[": those characters of an
// address are written as "%3D", "%3B", "%23" and "%5B", so that such an address keeps its own
// level instead of breaking the line. Surrounding blanks are not part of the key; an empty
// address has no level.
class BrowserZoom
{
public:
    // fileName: the INI file; empty for Browser.ini in the program's folder.
    explicit BrowserZoom(QString fileName = {}, QLocale locale = QLocale::system());

    const QString &fileName() const { return m_fileName; }

    // The stored level of the address, or nothing when none is stored or the value is not a
    // number.
    std::optional<double> level(const QString &address) const;
    // Stores the level for the address (SaveBrowserZoom); false when the address is empty or the
    // file could not be written.
    bool save(const QString &address, double level) const;

    // The INI key of an address (empty when the address is blank).
    static QString keyOf(const QString &address);
    static QString formatLevel(double level, const QLocale &locale);
    static std::optional<double> parseLevel(const QString &text);

private:
    QString m_fileName;
    QLocale m_locale;
};
