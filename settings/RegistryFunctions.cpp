#include "settings/RegistryFunctions.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <limits>
#include <optional>

namespace vel {

namespace {

const QString kRoot = QStringLiteral("Software\\Quillory");

// The QSettings group for a registry key path, "" for the root key itself;
// nullopt when the key lies outside the shared settings. Registry names are
// case-insensitive, so the fixed prefix is too; the subkeys are kept as given.
std::optional<QString> GroupFor(Hive hive, const QString& keyPath) {
    if (hive != Hive::CurrentUser) return std::nullopt;
    if (!keyPath.startsWith(kRoot, Qt::CaseInsensitive)) return std::nullopt;
    QString rest = keyPath.mid(kRoot.size());
    if (rest.endsWith(QLatin1Char('\\'))) rest.chop(1);
    if (rest.isEmpty()) return QString();
    if (!rest.startsWith(QLatin1Char('\\'))) return std::nullopt;  // "Software\\QuilloryX"
    const QStringList parts = rest.mid(1).split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        // A slash would nest groups differently in the file than in the registry.
        if (part.isEmpty() || part.contains(QLatin1Char('/'))) return std::nullopt;
    }
    return parts.join(QLatin1Char('/'));
}

bool ValidValueName(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// The per-user store only: the machine-wide fallbacks (HKLM, /etc/xdg) are
// not part of the shared settings.
void WithSettings(const std::function<void(QSettings&)>& fn) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillory"));
    settings.setFallbacksEnabled(false);
    fn(settings);
}

}  // namespace

QString SettingsKey(Hive hive, const QString& keyPath, const QString& valueName) {
    const std::optional<QString> group = GroupFor(hive, keyPath);
    if (!group || !ValidValueName(valueName)) return {};
    return group->isEmpty() ? valueName : *group + QLatin1Char('/') + valueName;
}

QString ReadSetting(Hive hive, const QString& keyPath, const QString& valueName) {
    const QString key = SettingsKey(hive, keyPath, valueName);
    if (key.isEmpty()) return {};
    QVariant value;
    WithSettings([&](QSettings& s) { value = s.value(key); });
    switch (value.typeId()) {
        case QMetaType::QString:
            return value.toString();
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const qlonglong n = value.toLongLong();
            if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max()) return {};
            return QString::number(n);
        }
#ifndef Q_OS_WIN
        case QMetaType::QStringList:
            // The settings file splits an unquoted value at its commas; give
            // back the text as it stands in the file.
            return value.toStringList().join(QStringLiteral(", "));
#endif
        default:
            return {};
    }
}

void WriteSetting(Hive hive, const QString& keyPath, const QString& valueName, const QString& value, int type) {
    const QString key = SettingsKey(hive, keyPath, valueName);
    if (key.isEmpty()) return;
    QVariant stored;
    if (type == kSettingString) {
        stored = value;
    } else if (type == kSettingNumber) {
        bool ok = false;
        const qlonglong n = value.trimmed().toLongLong(&ok);
        if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max()) return;
        // int and uint are what the registry backend stores as REG_DWORD.
        stored = n > std::numeric_limits<qint32>::max() ? QVariant(quint32(n)) : QVariant(qint32(n));
    } else {
        return;
    }
    CreateKey(keyPath, hive);
    WithSettings([&](QSettings& s) { s.setValue(key, stored); });
}

void CreateKey(const QString& keyPath, Hive hive) {
    if (!GroupFor(hive, keyPath)) return;
    // QSettings has no empty groups: a key comes into being with its first
    // value. Opening the store is all there is to do (on Windows it creates
    // the root key HKCU\Software\Quillory).
    WithSettings([](QSettings&) {});
}

}  // namespace vel
