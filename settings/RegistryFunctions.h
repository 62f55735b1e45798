#pragma once
// The per-user settings shared with the transcriber Quillory. They are
// addressed as registry keys ("Software\\Quillory\\Mode", value "Path") so
// both programs agree on names everywhere; underneath they live in QSettings'
// native store of the organisation "Quillory": HKCU\Software\Quillory on
// Windows, ~/.config/Quillory.conf (following XDG_CONFIG_HOME) elsewhere.
// Only the current user's keys below "Software\\Quillory\\" are reachable;
// any other hive or key reads as empty and takes no writes. Nothing here
// reports a failure: a setting that cannot be read is empty.
#include <QString>

namespace vel {

// The predefined registry roots a caller may name.
enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// Value types as the registry numbers them.
inline constexpr int kSettingString = 1;  // REG_SZ
inline constexpr int kSettingNumber = 4;  // REG_DWORD, a 32-bit number

inline constexpr char kModeKey[] = "Software\\Quillory\\Mode";
inline constexpr char kFontsKey[] = "Software\\Quillory\\Fonts";

// The value's text: a string as stored, a 32-bit number in decimal; empty
// when the key or value is missing, of another type, or out of reach.
QString ReadSetting(Hive hive, const QString& keyPath, const QString& valueName);

// Stores value as a string (type 1) or as a 32-bit number (type 4, value in
// decimal; text that is no such number stores nothing). Other types store
// nothing.
void WriteSetting(Hive hive, const QString& keyPath, const QString& valueName, const QString& value, int type);

// Makes sure the settings store behind keyPath exists. QSettings keeps no
// empty groups, so the key itself appears with its first value.
void CreateKey(const QString& keyPath, Hive hive);

// The QSettings key for a registry key path and value name, e.g.
// "Software\\Quillory\\Mode" + "EditorPath" -> "Mode/EditorPath"; empty when
// the pair lies outside the shared settings or is malformed.
QString SettingsKey(Hive hive, const QString& keyPath, const QString& valueName);

}  // namespace vel
