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
// Throws SettingsError when the value cannot be written.
void SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value);

// Where the files live: the user's configuration folder unless redirected (tests, TELLUMO_CONFIG).
QString Folder();
void SetFolder(const QString &folder);
} // namespace SavedSettings
