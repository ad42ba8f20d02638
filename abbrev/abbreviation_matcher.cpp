#include "abbrev/abbreviation_matcher.h"

#include "files/cp932.h"
#include "files/typing_triggers.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

// Calls visit(node) for every node whose item expands by its abbreviation, in menu order.
template <class Visit>
void forEachAbbreviation(const menuNode& root, Visit&& visit) {
    walkTree(
        root,
        [&](const menuNode& node, size_t, size_t) {
            if (expandsByAbbreviation(node)) visit(node);
        },
        [](const menuNode&, size_t) {});
}

}  // namespace

void typedText::add(std::string_view character) {
    // Nothing an abbreviation could end with: the typed text is no longer known.
    if (character.empty() || character.size() > maxAbbreviationBytes) {
        clear();
        return;
    }
    bytes_.append(character.data(), character.size());
    widths_.push_back(static_cast<uint8_t>(character.size()));
    // Older characters go once no abbreviation could reach back to them.
    size_t drop = 0, dropBytes = 0;
    while (bytes_.size() - dropBytes > maxAbbreviationBytes) dropBytes += widths_[drop++];
    bytes_.erase(0, dropBytes);
    widths_.erase(widths_.begin(), widths_.begin() + static_cast<std::ptrdiff_t>(drop));
}

void typedText::clear() {
    bytes_.clear();
    widths_.clear();
}

std::string_view typedText::last(size_t count) const {
    size_t bytes = 0;
    for (size_t i = widths_.size() - count; i < widths_.size(); ++i) bytes += widths_[i];
    return std::string_view(bytes_).substr(bytes_.size() - bytes);
}

void abbreviationMatcher::rebuild(const menuNode& root) {
    byText_.clear();
    longestCharacters_ = 0;
    forEachAbbreviation(root, [&](const menuNode& node) {
        const std::string& text = node.item->abbreviation;
        if (!byText_.emplace(text, node.item).second) return;  // the first in menu order wins
        size_t characters = characterCount(text);
        if (characters > longestCharacters_) longestCharacters_ = characters;
    });
}

void abbreviationMatcher::clear() {
    byText_.clear();
    longestCharacters_ = 0;
    typed_.clear();
}

itemRef abbreviationMatcher::item(const std::string& abbreviation) const {
    auto found = byText_.find(abbreviation);
    return found == byText_.end() ? nullptr : found->second.lock();
}

std::optional<abbreviationHit> abbreviationMatcher::type(std::string_view character) {
    if (byText_.empty()) return std::nullopt;
    typed_.add(character);
    const size_t available = typed_.characters() < longestCharacters_ ? typed_.characters() : longestCharacters_;
    for (size_t count = available; count > 0; --count) {
        auto found = byText_.find(std::string(typed_.last(count)));
        if (found == byText_.end()) continue;
        typed_.clear();
        return abbreviationHit{found->first, count};
    }
    return std::nullopt;
}

std::optional<abbreviationHit> abbreviationMatcher::typeText(std::string_view text) {
    std::optional<abbreviationHit> lastHit;
    for (size_t i = 0; i < text.size();) {
        size_t width = characterWidthAt(text, i);
        if (auto hit = type(text.substr(i, width))) lastHit = std::move(hit);
        i += width;
    }
    return lastHit;
}

size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += characterWidthAt(text, i)) ++count;
    return count;
}

bool expandsByAbbreviation(const menuNode& node) {
    return node.item && !node.hasChildren() && !node.item->abbreviation.empty() &&
           modeTakesAbbreviation(node.item->mode) && !typingTriggersOf(*node.item).abbreviation;
}

const menuItem* findAbbreviationHolder(const menuNode& root, std::string_view abbreviation,
                                       const menuItem* except) {
    const menuItem* holder = nullptr;
    forEachAbbreviation(root, [&](const menuNode& node) {
        if (!holder && node.item.get() != except && node.item->abbreviation == abbreviation)
            holder = node.item.get();
    });
    return holder;
}

std::vector<abbreviationConflict> findAbbreviationConflicts(const menuNode& root) {
    abbreviationMatcher matcher;
    matcher.rebuild(root);
    std::vector<abbreviationConflict> conflicts;
    forEachAbbreviation(root, [&](const menuNode& node) {
        const std::string& text = node.item->abbreviation;
        const menuItem* winner = matcher.item(text).get();
        if (winner != node.item.get()) {
            conflicts.push_back({node.item.get(), winner, true});
            return;
        }
        // Typed from its start, does another abbreviation fire before the last character?
        matcher.reset();
        for (size_t end = 0; end < text.size();) {
            const size_t width = characterWidthAt(text, end);
            auto hit = matcher.type(std::string_view(text).substr(end, width));
            end += width;
            if (!hit) continue;
            if (end < text.size()) conflicts.push_back({node.item.get(), matcher.item(hit->abbreviation).get(), false});
            return;
        }
    });
    return conflicts;
}

}  // namespace tv
