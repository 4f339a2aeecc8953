// \brief The persistent settings: decimal separator, significant digits, pKw and the last save
// folders, kept under the application name "ZEMLO" in a per-user settings file.
#pragma once

#include "engine/equilab.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace corvane::mainwin {

/// Text values under (section, key).
class SettingsStore {
public:
    /// The per-user file at the platform's standard configuration location.
    SettingsStore();
    /// A given file (tests, portable use).
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();

    QString read(const QString& section, const QString& key, const QString& fallback) const;
    void write(const QString& section, const QString& key, const QString& value);
    /// Puts the writes on disk; false when the file cannot be written.
    bool flush();
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

/// What the store holds, as the program uses it.
struct StoredSettings {
    char decimalSeparator = '.';
    int sigDigits = 4;
    QString lastGraphFolder;
    QString lastTableFolder;
    /// The stored pKw: 14.00 and 13.59 have menu items; another sensible value is used as it
    /// stands and left in the store unchanged.
    double pKw = 14.0;
    /// Whether the graph window marks the points of titration curves ("VIEW"/"MARKS", "1" or
    /// "0"); off unless set.
    bool showMarks = false;
    /// "ACTIVITY"/"MODEL": "IDEAL" or "DAVIES".
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    /// "WATER"/"TEMPERATURE": a temperature in °C that Kw follows instead of the pKw; empty
    /// while a pKw item is chosen.
    std::optional<double> temperature;
};

/// Reads every entry; a missing, empty or unusable value gives its default.
StoredSettings ReadSettings(const SettingsStore& store);

/// Writes every entry back; pKw only when it is one of the two menu values (with a temperature
/// in effect the stored pKw stays as it was).
void WriteSettings(SettingsStore& store, const StoredSettings& settings, double Kw);

} // namespace corvane::mainwin
