// Deterministic sample outlines of a chosen size for the benchmarks and the memory check.
#pragma once

#include <QString>
#include <cstdint>

#include "model/TreeStore.h"
#include "platform/Clock.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakePrompt.h"

namespace qm::bench {

inline constexpr std::uint64_t kSampleSeed = 0x51A7'0C0F'FEE5'2024ULL;
// Levels below the root that sample outlines use (the root has level 0).
inline constexpr int kSampleMaxLevel = 8;
// Nodes of each of the two branches beside the large one in a branch outline.
inline constexpr int kBranchSideNodes = 500;

// What a store needs from the host, with nobody behind it: settings in
// memory, the real clock, a prompt that always agrees.
struct StoreHost {
  MemorySettingsStore settings;
  SystemClock clock;
  test::FakePrompt prompt;
};

// Fills an empty store with `nodes` nodes (the root included, nodes >= 1) in
// pre-order, levels up to kSampleMaxLevel. Titles of 5-20 characters mixing
// kanji, kana and ASCII; bodies of 0-5 lines (a third of the nodes have
// none); some links, check and strike flags, categories, marks, collapsed
// nodes, identifiers, update/creation times and stamps. Every character can
// be stored in Shift_JIS. The same seed gives the same outline.
void GenerateOutline(CTreeStore& store, int nodes, std::uint64_t seed = kSampleSeed);

// The root with three children: the first and third carry branches of
// sideNodes nodes each, the second a branch of exactly branchNodes nodes
// (itself included).
void GenerateOutlineWithBranch(CTreeStore& store, int branchNodes, int sideNodes = kBranchSideNodes,
                               std::uint64_t seed = kSampleSeed);

// The index of the root's second child in an outline from GenerateOutlineWithBranch.
int BranchTopIndex(const CTreeStore& store);

// Writes the store as an outline file (Shift_JIS). On failure returns false
// and says why in *error.
bool WriteSampleFile(const CTreeStore& store, const QString& path, QString* error);

// GenerateOutline + WriteSampleFile into folder/outline-<nodes>.qmp. Returns
// the file's path, or an empty string on failure (*error says why).
QString MakeOutlineFile(const QString& folder, int nodes, QString* error);

// GenerateOutlineWithBranch + WriteSampleFile into folder/branch-<branchNodes>.qmp.
QString MakeBranchOutlineFile(const QString& folder, int branchNodes, QString* error);

}  // namespace qm::bench
