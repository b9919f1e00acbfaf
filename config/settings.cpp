#include "config/settings.h"

#include "config/file_replace.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kestrix {

namespace {

constexpr char kOrganisation[] = "Norvale";
constexpr char kApplication[] = "Kestrix";

// The INI file as plain text: "key=value" lines under "[General]" (or before
// any section), every value a string. QSettings' own INI reader decodes
// values such as "@Variant(...)" with lengths taken from the file, so that a
// damaged or hostile settings file made it allocate gigabytes and the
// program fail at every start.
bool ReadPlainIni(QIODevice& device, QSettings::SettingsMap& map) {
    QString section;
    while (!device.atEnd()) {
        const QString line = QString::fromUtf8(device.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        const QString key = line.left(equals).trimmed();
        map.insert(section.isEmpty() || section == QLatin1String("General")
                       ? key
                       : section + QLatin1Char('/') + key,
                   value);
    }
    return true;
}

// Never used for the program's own saves, which go through
// ReplaceFileContents; QSettings asks for a writer all the same.
bool WritePlainIni(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray text = "[General]\n";
    for (auto it = map.begin(); it != map.end(); ++it)
        text += it.key().toUtf8() + '=' + it.value().toString().toUtf8() + '\n';
    return device.write(text) == text.size();
}

QSettings::Format PlainIniFormat() {
    // Keys match as in Qt's own INI format on each system: regardless of case
    // on Windows. QSettings shares one parsed copy of a file between its
    // readers, and keys that another format stored in lower case would
    // otherwise not be found there.
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity keyCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity keyCase = Qt::CaseSensitive;
#endif
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadPlainIni, WritePlainIni, keyCase);
    return format;
}

} // namespace

Settings::Settings() {
#ifdef Q_OS_WIN
    // The registry key "HKEY_CURRENT_USER\Software\Norvale\Kestrix".
    store_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                         QString::fromLatin1(kOrganisation),
                                         QString::fromLatin1(kApplication));
    nativeRegistry_ = true;
#else
    store_ = std::make_unique<QSettings>(PlainIniFormat(), QSettings::UserScope,
                                         QString::fromLatin1(kOrganisation),
                                         QString::fromLatin1(kApplication));
#endif
    // Only the user's own key or file: a value missing there is missing, not
    // taken from the organisation's or the system's defaults.
    store_->setFallbacksEnabled(false);
}

Settings::Settings(const QString& iniFilePath)
    : store_(std::make_unique<QSettings>(iniFilePath, PlainIniFormat())) {}

Settings::~Settings() = default;

QString Settings::location() const {
    return store_->fileName();
}

bool Settings::keyExists() const {
    if (nativeRegistry_) {
        // QSettings cannot tell an empty key from a missing one; its parent can.
        QSettings parent(QStringLiteral("HKEY_CURRENT_USER\\Software\\") +
                             QString::fromLatin1(kOrganisation),
                         QSettings::NativeFormat);
        return parent.childGroups().contains(QString::fromLatin1(kApplication),
                                             Qt::CaseInsensitive);
    }
    return QFileInfo::exists(store_->fileName());
}

std::optional<int> Settings::readInt(const QString& name) const {
    const QVariant value = store_->value(name);
    if (!value.isValid()) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::UInt:
        // A DWORD is read back unsigned; it holds a signed 32-bit value.
        return static_cast<int>(value.toUInt());
    case QMetaType::QString:
        if (nativeRegistry_) return std::nullopt; // a text value is not a DWORD
        {
            // An INI file keeps every value as text.
            bool ok = false;
            const int n = value.toString().trimmed().toInt(&ok, 10);
            if (ok) return n;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

StoredSettings Settings::load() const {
    StoredSettings s;
    s.keyExists = keyExists();
    if (!s.keyExists) return s;

    // Block 1: the geometry counts only when all four values are there.
    auto top = readInt(QStringLiteral("Top"));
    auto left = top ? readInt(QStringLiteral("Left")) : std::nullopt;
    auto width = left ? readInt(QStringLiteral("Width")) : std::nullopt;
    auto height = width ? readInt(QStringLiteral("Height")) : std::nullopt;
    if (height) {
        s.top = top;
        s.left = left;
        s.width = width;
        s.height = height;
        s.dProp = readInt(QStringLiteral("D_prop"));
        if (s.dProp) s.hProp = readInt(QStringLiteral("H_prop"));
    }

    // Block 2.
    s.sTop = readInt(QStringLiteral("S_TOP"));
    if (s.sTop) {
        s.sCnt = readInt(QStringLiteral("S_cnt"));
        if (s.sCnt) s.kCnt = readInt(QStringLiteral("K_cnt"));
    }
    return s;
}

void Settings::writeInt(const QString& name, int value) {
    if (nativeRegistry_)
        store_->setValue(name, QVariant(static_cast<qint32>(value)));
    else
        pending_.emplace_back(name, value);
}

bool Settings::save(const SettingsToSave& v) {
    pending_.clear();
    writeInt(QStringLiteral("Top"), v.top);
    writeInt(QStringLiteral("Left"), v.left);
    writeInt(QStringLiteral("Width"), v.width);
    writeInt(QStringLiteral("Height"), v.height);
    writeInt(QStringLiteral("D_prop"), v.dProp);
    writeInt(QStringLiteral("H_prop"), v.hProp);
    writeInt(QStringLiteral("S_cnt"), v.sCnt);
    writeInt(QStringLiteral("K_cnt"), v.kCnt);
    writeInt(QStringLiteral("S_TOP"), v.stayOnTop ? 1 : 0);
    if (nativeRegistry_) {
        // The process ends right after this; nothing may stay in memory.
        store_->sync();
        return store_->status() == QSettings::NoError;
    }
    // The INI file is written here, not by QSettings: a disk that fills
    // while QSettings writes leaves a cut file in place of the old one, and
    // the save is still reported as done.
    std::string text = "[General]\n";
    for (const auto& [name, value] : pending_)
        text += name.toStdString() + '=' + std::to_string(value) + '\n';
    const QString path = store_->fileName();
    return QDir().mkpath(QFileInfo(path).absolutePath()) && ReplaceFileContents(path, text);
}

} // namespace kestrix
