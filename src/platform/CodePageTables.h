// CodePageTables: the lookup tables CodePage converts with, built once from
// the host's converter. Shared by every thread, read-only once built.
//
// Decoding: one entry per single byte and one per lead/trail pair; encoding:
// one entry per UTF-16 code unit. The tables hold the mapping the program's
// files were always written with: single-byte control characters are
// themselves both ways, whatever the host's converter does with them.
#pragma once

#include <array>
#include <cstdint>

namespace qm {

struct CodePageTables {
  // What a byte or pair decodes to when it is not a character.
  static constexpr char16_t kUndecodable = 0xFFFD;
  // What a code unit encodes to when the code page cannot hold it; never a
  // real character, as no lead byte is 0xFF.
  static constexpr std::uint16_t kUnencodable = 0xFFFF;

  static constexpr int kLeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
  static constexpr int kFirstTrail = 0x40;
  static constexpr int kTrailCount = 0xFC - kFirstTrail + 1;

  // Row of a lead byte in the pair table (the caller checks it is one).
  static constexpr int LeadRow(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
  }

  // Byte (not a lead byte) to its character, or kUndecodable.
  std::array<char16_t, 256> single{};
  // Lead byte row times (trail - kFirstTrail) to the character, or kUndecodable.
  std::array<std::array<char16_t, kTrailCount>, kLeadCount> pairs{};
  // Code unit to its bytes: below 0x100 one byte, else lead << 8 | trail;
  // kUnencodable for surrogates and for what the code page cannot hold.
  std::array<std::uint16_t, 0x10000> encode{};

  // Where the tables came from: the host's iconv, or (where it lacks the
  // code page) Qt's own converter.
  enum class Source { Iconv, Qt };
  Source source = Source::Iconv;

  // The tables, built on first use; safe to call from any thread.
  static const CodePageTables& Get();

  // The two ways of building them, for the tests; the first is empty-handed
  // (false) when the host's iconv cannot convert the code page.
  static bool BuildFromIconv(CodePageTables& tables);
  static void BuildFromQt(CodePageTables& tables);
};

}  // namespace qm
