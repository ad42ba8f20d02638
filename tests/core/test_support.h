// Helpers shared by the core tests: scratch folders, byte sinks, tree builders.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "files/byte_sink.h"
#include "files/escaping.h"
#include "model/menu_model.h"

namespace tvtest {

namespace fs = std::filesystem;

// The fixed start of every data file, up to and including its last TAB.
inline const std::string headerLiteral =
    "0\tメニュー\t---ダイレクト設定編集 ワンポイント---データはタブ1つ区切りです(タブ複数不可)．"
    "数字データは触らないでください（＾＾；(動作を保証できません)\t";

// A fresh, empty folder for one test, removed with everything in it afterwards.
class scratchDir {
public:
    scratchDir() {
        static std::atomic<int> serial{0};
        path_ = fs::temp_directory_path() /
                ("tvtest-" + std::to_string(fs::file_time_type::clock::now().time_since_epoch().count()) + "-" +
                 std::to_string(++serial));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~scratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(path_)) found.insert(entry.path().filename().string());
        return found;
    }

private:
    fs::path path_;
};

// Makes a folder the current directory for as long as it lives.
class currentDirGuard {
public:
    explicit currentDirGuard(const std::string& directory) : saved_(fs::current_path()) { fs::current_path(directory); }
    ~currentDirGuard() { fs::current_path(saved_); }

private:
    fs::path saved_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Counts what a writer produces without keeping it: deep trees indent quadratically.
class countingSink : public tv::byteSink {
public:
    using byteSink::write;
    void write(const char*, size_t length) override { total += length; }
    unsigned long long total = 0;
};

// Records what the model asks of the platform.
class recordingEvents : public tv::modelEvents {
public:
    void unregisterHotkey(uint16_t itemId) override { releasedHotkeys.push_back(itemId); }
    void runningMenuReset() override { ++resets; }
    std::vector<uint16_t> releasedHotkeys;
    int resets = 0;
};

inline tv::itemFields fields(uint8_t mode, std::string text, std::string data = std::string()) {
    tv::itemFields f;
    f.mode = mode;
    f.text = std::move(text);
    f.data = std::move(data);
    return f;
}

// Creates an item in a new last child of `parent` and returns that child.
inline tv::menuNode& addItem(tv::menuModel& model, tv::menuNode& parent, const tv::itemFields& f) {
    tv::menuNode child;
    model.createItem(child, f);
    parent.appendChild(std::move(child));
    return parent.lastChild();
}

inline tv::menuNode& addItem(tv::menuModel& model, tv::menuNode& parent, const std::string& text,
                             const std::string& data = std::string()) {
    return addItem(model, parent, fields(tv::itemMode::inputString, text, data));
}

// Hangs a chain of `depth` items below `parent`, each the only child of the one before.
inline void addChain(tv::menuModel& model, tv::menuNode& parent, size_t depth) {
    tv::menuNode* current = &parent;
    for (size_t i = 0; i < depth; ++i) current = &addItem(model, *current, "x");
}

// The example menu of the data file: root hotkey Ctrl+Q, the folder 挨拶 holding
// one two-line phrase, and a separator.
inline void buildExampleMenu(tv::menuModel& model) {
    tv::itemFields root = fields(tv::itemMode::inputString, "メニュー");
    root.vk = 593;
    model.createItem(model.root, root);
    tv::itemFields greeting = fields(tv::itemMode::inputString, "挨拶");
    greeting.extKey = 16;
    tv::menuNode& folder = addItem(model, model.root, greeting);
    addItem(model, folder, fields(tv::itemMode::inputDataString, "おはよう", "おはようございます。\r\nよろしく"));
    addItem(model, model.root, fields(tv::itemMode::hSeparater, "-横線-"));
}

// One line per item: depth and every stored field, so two trees compare as text
// (the abbreviation only when there is one).
inline std::string describeTree(const tv::menuModel& model, const tv::menuNode& node, int depth = 0) {
    std::ostringstream out;
    if (node.item) {
        const tv::menuItem& it = *node.item;
        out << depth << '|' << int(it.mode) << '|' << it.text << '|' << tv::escapeText(it.data) << '|' << it.vk << '|'
            << int(it.extKey) << '|' << model.corners.cornerOf(it.itemId) << '|' << it.extIconFileName << '|'
            << it.extIconIndex;
        if (!it.abbreviation.empty()) out << '|' << it.abbreviation;
        out << '\n';
    }
    for (const auto& child : node.children) out << describeTree(model, child, depth + 1);
    return out.str();
}

}  // namespace tvtest
