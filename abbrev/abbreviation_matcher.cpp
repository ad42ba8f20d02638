#include "abbrev/abbreviation_matcher.h"

#include "files/cp932.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

size_t firstCharacterWidth(std::string_view text) {
    return isLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
}

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

// The item each abbreviation runs: the first that has it in menu order.
std::unordered_map<std::string_view, const menuItem*> winners(const menuNode& root) {
    std::unordered_map<std::string_view, const menuItem*> first;
    forEachAbbreviation(root, [&](const menuNode& node) { first.emplace(node.item->abbreviation, node.item.get()); });
    return first;
}

// The winner whose abbreviation ends `typed` on a whole character, or null.
const menuItem* endingWinner(const std::unordered_map<std::string_view, const menuItem*>& first,
                             std::string_view typed) {
    for (size_t start = 0; start < typed.size(); start += firstCharacterWidth(typed.substr(start))) {
        auto found = first.find(typed.substr(start));
        if (found != first.end()) return found->second;
    }
    return nullptr;
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
    clear();
    forEachAbbreviation(root, [&](const menuNode& node) {
        const std::string& text = node.item->abbreviation;
        if (!byText_.emplace(text, node.item).second) return;
        size_t characters = characterCount(text);
        if (characters > longestCharacters_) longestCharacters_ = characters;
    });
}

void abbreviationMatcher::clear() {
    byText_.clear();
    longestCharacters_ = 0;
    typed_.clear();
}

std::optional<abbreviationHit> abbreviationMatcher::type(std::string_view character) {
    if (byText_.empty()) return std::nullopt;
    typed_.add(character);
    const size_t available = typed_.characters() < longestCharacters_ ? typed_.characters() : longestCharacters_;
    for (size_t count = available; count > 0; --count) {
        auto found = byText_.find(std::string(typed_.last(count)));
        if (found == byText_.end()) continue;
        itemRef item = found->second.lock();
        if (!item) continue;  // removed from the menu since the last rebuild
        typed_.clear();
        return abbreviationHit{std::move(item), count};
    }
    return std::nullopt;
}

std::optional<abbreviationHit> abbreviationMatcher::typeText(std::string_view text) {
    std::optional<abbreviationHit> lastHit;
    for (size_t i = 0; i < text.size();) {
        size_t width = firstCharacterWidth(text.substr(i));
        if (auto hit = type(text.substr(i, width))) lastHit = std::move(hit);
        i += width;
    }
    return lastHit;
}

size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += firstCharacterWidth(text.substr(i))) ++count;
    return count;
}

bool expandsByAbbreviation(const menuNode& node) {
    return node.item && !node.hasChildren() && !node.item->abbreviation.empty() &&
           modeTakesAbbreviation(node.item->mode);
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
    const auto first = winners(root);
    std::vector<abbreviationConflict> conflicts;
    forEachAbbreviation(root, [&](const menuNode& node) {
        const std::string& text = node.item->abbreviation;
        const menuItem* winner = first.at(text);
        if (winner != node.item.get()) {
            conflicts.push_back({node.item.get(), winner, true});
            return;
        }
        // Typed from its start, does another abbreviation fire before the last character?
        for (size_t end = firstCharacterWidth(text); end < text.size();
             end += firstCharacterWidth(std::string_view(text).substr(end))) {
            if (const menuItem* earlier = endingWinner(first, std::string_view(text).substr(0, end))) {
                conflicts.push_back({node.item.get(), earlier, false});
                return;
            }
        }
    });
    return conflicts;
}

}  // namespace tv
