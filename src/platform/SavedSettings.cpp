#include "platform/SavedSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace SavedSettings {
namespace {
QString &folderOverride() {
    static QString f;
    return f;
}

QString fileFor(const QString &app) { return QDir(Folder()).filePath(app + QStringLiteral(".ini")); }
} // namespace

QString Folder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString env = qEnvironmentVariable("TELLUMO_CONFIG");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tellumo");
}

void SetFolder(const QString &folder) { folderOverride() = folder; }

QString GetSetting(const QString &app, const QString &section, const QString &key, const QString &defaultValue) {
    QSettings settings(fileFor(app), QSettings::IniFormat);
    return settings.value(section + u'/' + key, defaultValue).toString();
}

QString ReadSetting(const QString &app, const QString &section, const QString &key) {
    const QString file = fileFor(app);
    const QFileInfo info(file);
    if (info.exists()) {
        QFile probe(file);
        if (!info.isFile() || !probe.open(QIODevice::ReadOnly))
            throw SettingsError("the saved settings cannot be read: " + file.toStdString());
    }
    QSettings settings(file, QSettings::IniFormat);
    const QString value = settings.value(section + u'/' + key).toString();
    if (settings.status() != QSettings::NoError)
        throw SettingsError("the saved settings cannot be read: " + file.toStdString());
    return value;
}

void SaveSetting(const QString &app, const QString &section, const QString &key, const QString &value) {
    QDir().mkpath(Folder());
    QSettings settings(fileFor(app), QSettings::IniFormat);
    settings.setValue(section + u'/' + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw SettingsError("the saved settings cannot be written: " + fileFor(app).toStdString());
}
} // namespace SavedSettings
