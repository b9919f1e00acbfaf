#pragma once

// The settings kept between runs: window geometry, the heights of the two
// property boxes, the stay-on-top choice and the two chosen styles. On Windows
// they live in the registry key "Software\Norvale\Kestrix" of the current user;
// elsewhere in an INI file in the user's configuration directory. Every value
// is a 32-bit integer.

#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QSettings;

namespace kestrix {

// What start-up found. The values come in two blocks; within a block the first
// value that is missing or not an integer ends the block, so every value after
// it is empty here even when it is stored.
struct StoredSettings {
    bool keyExists = false;
    // Block 1: the geometry (all four or none) and the two panel heights.
    std::optional<int> top, left, width, height;
    std::optional<int> dProp, hProp;
    // Block 2: stay-on-top, then the two style indices.
    std::optional<int> sTop, sCnt, kCnt;

    bool hasGeometry() const { return top && left && width && height; }
};

// What the closing sequence writes.
struct SettingsToSave {
    int top = 0, left = 0, width = 0, height = 0;
    int dProp = 0, hProp = 0;
    int sCnt = 0, kCnt = 0;
    bool stayOnTop = false;
};

class Settings {
  public:
    // The program's own store (organisation "Norvale", application "Kestrix").
    Settings();
    // An INI file at the given path, for tests and portable use.
    explicit Settings(const QString& iniFilePath);
    virtual ~Settings();

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Reads both blocks without creating anything.
    StoredSettings load() const;
    // Writes the nine values in the order Top, Left, Width, Height, D_prop,
    // H_prop, S_cnt, K_cnt, S_TOP and syncs them to disk. False when the store
    // reports an error.
    bool save(const SettingsToSave& values);

    // Where the values are kept, for messages and tests.
    QString location() const;

  protected:
    // One value written; overridden by tests that watch the order.
    virtual void writeInt(const QString& name, int value);

  private:
    bool keyExists() const;
    std::optional<int> readInt(const QString& name) const;

    std::unique_ptr<QSettings> store_;
    // The values of a save to an INI file, in the order written.
    std::vector<std::pair<QString, int>> pending_;
    bool nativeRegistry_ = false;
};

} // namespace kestrix
