#include "settings.h"

#include "installation.h"

#include "numtext/numbertext.h"

#include <QSettings>

#include <cmath>

namespace corvane::mainwin {

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QString::fromLatin1(installation::ApplicationName))) {}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& fallback) const {
    return m_settings->value(section + QLatin1Char('/') + key, fallback).toString();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(section + QLatin1Char('/') + key, value);
}

bool SettingsStore::flush() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const {
    return m_settings->fileName();
}

namespace {

double leading(const QString& text) {
    return numtext::LeadingNumberValue(text.trimmed().toStdString());
}

} // namespace

StoredSettings ReadSettings(const SettingsStore& store) {
    StoredSettings s;
    const QString separator = store.read("DOT", "SEPARATOR", ".");
    s.decimalSeparator = separator == QLatin1String(",") ? ',' : '.';

    const double digits = std::round(leading(store.read("NDIG", "SIGDIG", "4")));
    if (digits >= 4 && digits <= 12) s.sigDigits = static_cast<int>(digits);

    s.lastGraphFolder = store.read("PATH", "GRAF", QString());
    s.lastTableFolder = store.read("PATH", "TABLA", QString());

    // Water's pKw lies between about 12 and 15 at any liquid temperature; anything far from
    // that is not a pKw.
    const double pKw = leading(store.read("WATER", "PKW", "14.00"));
    if (pKw >= 10 && pKw <= 18) s.pKw = pKw;

    s.showMarks = store.read("VIEW", "MARKS", "0").trimmed() == QLatin1String("1");
    if (store.read("ACTIVITY", "MODEL", "IDEAL") == QLatin1String("DAVIES"))
        s.activity = engine::ActivityModel::Davies;
    const QString temperature = store.read("WATER", "TEMPERATURE", QString()).trimmed();
    bool isNumber = false;
    const double celsius = temperature.toDouble(&isNumber);
    if (isNumber && celsius >= engine::LowestTemperature && celsius <= engine::HighestTemperature)
        s.temperature = celsius;
    return s;
}

void WriteSettings(SettingsStore& store, const StoredSettings& s, double Kw) {
    store.write("PATH", "GRAF", s.lastGraphFolder);
    store.write("PATH", "TABLA", s.lastTableFolder);
    store.write("DOT", "SEPARATOR", QString(QLatin1Char(s.decimalSeparator)));
    store.write("NDIG", "SIGDIG", QString::number(s.sigDigits));
    store.write("VIEW", "MARKS", s.showMarks ? "1" : "0");
    const double p = Kw > 0 && !s.temperature ? -std::log10(Kw) : 0;
    if (std::abs(p - 14) < 0.001) store.write("WATER", "PKW", "14.00");
    if (std::abs(p - 13.59) < 0.001) store.write("WATER", "PKW", "13.59");
    store.write("ACTIVITY", "MODEL",
                s.activity == engine::ActivityModel::Davies ? "DAVIES" : "IDEAL");
    store.write("WATER", "TEMPERATURE",
                s.temperature ? QString::number(*s.temperature) : QString());
}

} // namespace corvane::mainwin
