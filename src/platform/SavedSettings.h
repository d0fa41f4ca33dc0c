#pragma once
// Per-user saved settings by application, section and key, kept in an INI file per application.
#include <QString>
#include <stdexcept>

namespace SavedSettings {
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A key that is not saved gives the default, the empty text when none is given.
QString GetSetting(const QString &app, const QString &section, const QString &key,
                   const QString &defaultValue = QString());
// The same, but a settings file that is there and cannot be read throws SettingsError instead of
// reading as empty: a missing key and an unreadable file are not the same thing.
QString ReadSetting(const QString &app, const QString &section, const QString &key);
// Throws SettingsError when the value cannot be written.
void SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value);

// Where the files live: the user's configuration folder unless redirected (tests, TELLUMO_CONFIG).
QString Folder();
void SetFolder(const QString &folder);
} // namespace SavedSettings
