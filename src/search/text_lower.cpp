// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/text_lower.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/ascii_text.h"
#include "platform/name_text.h"
#include "platform/utf8_text.h"
#include "search/case_fold_runs.h"

namespace {

// The folding as a two-level table built by the compiler: the high bits of a code point pick
// a block of 128 offsets, and every block without a folding is the shared block 0.
constexpr int blockBits = 7;
constexpr std::size_t blockSize = std::size_t{1} << blockBits;
// Nothing at or above the last run's end folds.
constexpr char32_t foldLimit = std::end(caseFoldRuns)[-1].last + 1;
constexpr std::size_t blockSlots = (foldLimit + blockSize - 1) / blockSize;

constexpr std::array<bool, blockSlots> FoldingBlocks() {
    std::array<bool, blockSlots> used{};
    for (const CCaseFoldRun& run : caseFoldRuns) {
        for (char32_t code = run.first; code <= run.last; code += run.step) {
            used[code >> blockBits] = true;
        }
    }
    return used;
}

constexpr std::size_t CountBlocks() {
    std::size_t count = 1;
    for (bool used : FoldingBlocks()) {
        count += used ? 1 : 0;
    }
    return count;
}

constexpr std::size_t blockCount = CountBlocks();
static_assert(blockCount <= 256, "block numbers are bytes");

struct CFoldTable {
    std::array<std::uint8_t, blockSlots> blockOf{};
    std::array<std::array<std::int32_t, blockSize>, blockCount> offsets{};
};

constexpr CFoldTable BuildFoldTable() {
    CFoldTable table;
    std::array<bool, blockSlots> used = FoldingBlocks();
    std::size_t next = 1;
    for (std::size_t slot = 0; slot < blockSlots; ++slot) {
        if (used[slot]) {
            table.blockOf[slot] = static_cast<std::uint8_t>(next++);
        }
    }
    for (const CCaseFoldRun& run : caseFoldRuns) {
        for (char32_t code = run.first; code <= run.last; code += run.step) {
            table.offsets[table.blockOf[code >> blockBits]][code & (blockSize - 1)] = run.offset;
        }
    }
    return table;
}

constexpr CFoldTable foldTable = BuildFoldTable();

constexpr std::int32_t FoldCase(std::int32_t code) {
    auto point = static_cast<char32_t>(code);
    if (point >= foldLimit) {
        return code;
    }
    return code + foldTable.offsets[foldTable.blockOf[point >> blockBits]][point & (blockSize - 1)];
}

static_assert(FoldCase(0x03A3) == 0x03C3 && FoldCase(0x03C2) == 0x03C3, "sigma, final sigma");
static_assert(FoldCase(0x0130) == 0x0130, "the dotted capital I has only a full folding");

}  // namespace

void LowerText(std::string_view text, std::string& out) {
    out.resize(text.size());
    std::size_t at = 0;
    // Most names are ASCII: lower them in place without decoding.
    for (; at < text.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            break;
        }
        out[at] = LowerAscii(static_cast<char>(c));
    }
    if (at == text.size()) {
        return;
    }
    out.resize(at);
    while (at < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            out += LowerAscii(static_cast<char>(c));
            ++at;
            continue;
        }
        std::size_t length = 1;
        char32_t code = NameChar(text, at, length);
        AppendUtf8(static_cast<std::uint32_t>(FoldCase(static_cast<std::int32_t>(code))), out);
        at += length;
    }
}
