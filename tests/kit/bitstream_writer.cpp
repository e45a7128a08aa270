#include "bitstream_writer.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>

namespace quortest {
namespace {

// The code tables in reading order, one line per table, codes of index 0..15.
const char* const kCodes[16][16] = {
    {"0000", "1000", "0100", "1100", "0010", "1010", "0110", "1110", "0001", "1001", "0101", "1101", "0011", "1011", "0111", "1111"},
    {"0", "1000", "11000", "10100", "11100", "10010", "11010", "10110", "11110", "11001", "10101", "11101", "10011", "11011", "10111", "11111"},
    {"00", "01", "1000", "1001", "10100", "10101", "10110", "10111", "11000", "11001", "11010", "11011", "11100", "11101", "11110", "11111"},
    {"00", "010", "011", "1000", "1001", "1010", "10110", "10111", "11000", "11001", "11010", "11011", "11100", "11101", "11110", "11111"},
    {"000", "001", "010", "011", "1000", "1001", "1010", "1011", "11000", "11001", "11010", "11011", "11100", "11101", "11110", "11111"},
    {"000", "001", "0100", "0101", "0110", "0111", "1000", "1001", "1010", "1011", "1100", "1101", "11100", "11101", "11110", "11111"},
    {"00", "0100", "0101", "0110", "0111", "1000", "1001", "1010", "1011", "1100", "11010", "11011", "11100", "11101", "11110", "11111"},
    {"0", "100", "101", "11000", "11001", "11010", "110110", "110111", "111000", "111001", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"0", "10", "11000", "11001", "110100", "110101", "110110", "110111", "111000", "111001", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"0", "100", "1010", "1011", "11000", "11001", "11010", "11011", "111000", "111001", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"00", "01", "100", "1010", "1011", "11000", "11001", "11010", "11011", "11100", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"0", "1000", "1001", "1010", "1011", "11000", "11001", "11010", "11011", "11100", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"00", "01", "10", "11000", "11001", "11010", "110110", "110111", "111000", "111001", "111010", "111011", "111100", "111101", "111110", "111111"},
    {"0", "100", "101", "110", "111000", "111001", "111010", "111011", "1111000", "1111001", "1111010", "1111011", "1111100", "1111101", "1111110", "1111111"},
    {"0", "100", "101", "110", "11100", "111010", "1110110", "1110111", "1111000", "1111001", "1111010", "1111011", "1111100", "1111101", "1111110", "1111111"},
    {"00", "01", "100", "101", "110", "111000", "111001", "111010", "111011", "111100", "1111010", "1111011", "1111100", "1111101", "1111110", "1111111"},
};

void Require(bool condition, const char* what) {
  if (!condition) throw std::invalid_argument(what);
}

constexpr uint8_t kScan[64] = {0,  1,  8,  9,  2,  3,  10, 11, 4,  5,  12, 13, 6,  7,  14, 15,
                               20, 21, 28, 29, 22, 23, 30, 31, 16, 17, 24, 25, 32, 33, 40, 41,
                               34, 35, 42, 43, 48, 49, 56, 57, 50, 51, 58, 59, 18, 19, 26, 27,
                               36, 37, 44, 45, 38, 39, 46, 47, 52, 53, 60, 61, 54, 55, 62, 63};

// The region list of the bit-plane coding, walked as the decoder walks it. `significant(i, n)`
// says whether coded indexes [i, i+n) hold something significant in this pass; `single(j)`
// whether index j becomes significant now; `give(j)` writes its value and returns false to stop.
struct RegionList {
  struct Entry {
    int kind;  // 0 quad+group, 1 group, 2 quad, 3 single, -1 cleared
    unsigned index;
  };
  std::vector<Entry> entries;

  template <typename Sig, typename Give>
  bool Pass(BitWriter& out, Sig significant, Give give) {
    std::vector<Entry> prepended;
    for (size_t i = 0; i < entries.size();) {
      Entry& e = entries[i];
      if (e.kind < 0) {
        ++i;
        continue;
      }
      const unsigned span = e.kind == 0 ? 20 : e.kind == 1 ? 16 : e.kind == 2 ? 4 : 1;
      const bool bit = significant(e.index, span);
      out.PutBit(bit);
      if (!bit) {
        ++i;
        continue;
      }
      const Entry current = e;
      if (current.kind == 0) {
        entries[i] = {1, current.index + 4};
        if (!Quad(out, current.index, significant, give, prepended)) return false;
      } else if (current.kind == 1) {
        entries[i] = {2, current.index};
        for (unsigned k = 1; k < 4; ++k) entries.push_back({2, current.index + 4 * k});
      } else if (current.kind == 2) {
        entries[i++] = {-1, 0};
        if (!Quad(out, current.index, significant, give, prepended)) return false;
      } else {
        entries[i++] = {-1, 0};
        if (!give(current.index)) return false;
      }
    }
    entries.insert(entries.begin(), prepended.rbegin(), prepended.rend());
    return true;
  }

  template <typename Sig, typename Give>
  bool Quad(BitWriter& out, unsigned index, Sig& significant, Give& give,
            std::vector<Entry>& prepended) {
    for (unsigned j = index; j < index + 4; ++j) {
      const bool now = significant(j, 1);
      out.PutBit(!now);
      if (!now) {
        prepended.push_back({3, j});
      } else if (!give(j)) {
        return false;
      }
    }
    return true;
  }
};

unsigned CapacityMultiplier(unsigned stream) {
  static constexpr unsigned kM[9] = {1, 1, 64, 8, 1, 1, 1, 1, 48};
  return kM[stream];
}

}  // namespace

void BitWriter::Put(uint32_t value, unsigned bits) {
  for (unsigned i = 0; i < bits; ++i) bits_.push_back(((value >> i) & 1) != 0);
}

void BitWriter::PutSigned(int32_t value, unsigned bits) {
  const uint32_t magnitude = uint32_t(std::abs(value));
  Require(bits >= 32 || magnitude < (1u << bits), "signed value too large");
  Put(magnitude, bits);
  if (magnitude != 0) PutBit(value < 0);
}

void BitWriter::PutCode(unsigned table, unsigned index) {
  for (const char* c = kCodes[table][index]; *c; ++c) PutBit(*c == '1');
}

void BitWriter::Append(const BitWriter& other) {
  bits_.insert(bits_.end(), other.bits_.begin(), other.bits_.end());
}

std::vector<uint8_t> BitWriter::Words() const {
  std::vector<uint8_t> bytes((bits_.size() + 31) / 32 * 4, 0);
  for (size_t i = 0; i < bits_.size(); ++i)
    if (bits_[i]) bytes[i / 8] |= uint8_t(1u << (i % 8));
  return bytes;
}

const char* CodeText(unsigned table, unsigned index) { return kCodes[table][index]; }

SymbolMapSpec IdentityMap() { return SymbolMapSpec{}; }

SymbolMapSpec ListMap(unsigned table, std::vector<uint8_t> listed) {
  Require(table != 0 && !listed.empty() && listed.size() <= 8, "list map");
  SymbolMapSpec map;
  map.form = SymbolMapSpec::kList;
  map.table = table;
  map.listed = unsigned(listed.size());
  bool used[16] = {};
  unsigned n = 0;
  for (uint8_t v : listed) used[v] = true, map.symbol[n++] = v;
  for (unsigned v = 0; v < 16; ++v)
    if (!used[v]) map.symbol[n++] = uint8_t(v);
  return map;
}

SymbolMapSpec MergeMap(unsigned table, std::array<uint8_t, 16> symbol, unsigned depth) {
  Require(table != 0 && depth <= 3, "merge map");
  SymbolMapSpec map;
  map.form = SymbolMapSpec::kMerge;
  map.table = table;
  map.symbol = symbol;
  map.depth = depth;
  // Representable: every run of 2^(depth+1) entries holds exactly its own value range.
  const unsigned block = 2u << depth;
  for (unsigned i = 0; i < 16; ++i) Require(symbol[i] / block == i / block, "map not representable");
  return map;
}

void WriteSymbolMap(BitWriter& out, const SymbolMapSpec& map) {
  if (map.form == SymbolMapSpec::kIdentity) {
    out.Put(0, 4);
    return;
  }
  out.Put(map.table, 4);
  if (map.form == SymbolMapSpec::kList) {
    out.PutBit(true);
    out.Put(map.listed - 1, 3);
    for (unsigned i = 0; i < map.listed; ++i) out.Put(map.symbol[i], 4);
    return;
  }
  out.PutBit(false);
  out.Put(map.depth, 2);
  // The order of values restricted to a value range is kept by every merge.
  auto restricted = [&](unsigned from, unsigned count) {
    std::vector<uint8_t> seq;
    for (uint8_t v : map.symbol)
      if (v >= from && v < from + count) seq.push_back(v);
    return seq;
  };
  for (unsigned i = 0; i < 16; i += 2) out.PutBit(restricted(i, 2)[0] == i + 1);
  for (unsigned level = 0, half = 2; level < map.depth; ++level, half *= 2) {
    for (unsigned at = 0; at < 16; at += 2 * half) {
      const std::vector<uint8_t> seq = restricted(at, 2 * half);
      unsigned fromA = 0, fromB = 0;
      for (uint8_t v : seq) {
        if (fromA == half || fromB == half) break;
        const bool b = v >= at + half;
        out.PutBit(b);
        (b ? fromB : fromA)++;
      }
    }
  }
}

void PutSymbol(BitWriter& out, const SymbolMapSpec& map, unsigned symbol) {
  for (unsigned index = 0; index < 16; ++index) {
    if (map.symbol[index] == symbol) {
      out.PutCode(map.form == SymbolMapSpec::kIdentity ? 0 : map.table, index);
      return;
    }
  }
  Require(false, "symbol not in map");
}

void PutCoefficients(BitWriter& out, const std::array<int16_t, 64>& block, unsigned planes) {
  int32_t coded[64];
  unsigned needed = 0;
  for (unsigned k = 1; k < 64; ++k) {
    coded[k] = block[kScan[k]];
    needed = std::max(needed, unsigned(std::bit_width(uint32_t(std::abs(coded[k])))));
  }
  planes = std::max(planes, needed);
  Require(planes <= 15, "coefficient too large");
  out.Put(planes, 4);
  if (planes == 0) return;
  RegionList list{{{0, 4}, {0, 24}, {0, 44}, {3, 1}, {3, 2}, {3, 3}}};
  for (unsigned n = planes; n-- > 0;) {
    const int32_t low = int32_t(1) << n;
    auto significant = [&](unsigned index, unsigned span) {
      for (unsigned k = index; k < index + span && k < 64; ++k)
        if (std::abs(coded[k]) >= low) return true;
      return false;
    };
    list.Pass(out, significant, [&](unsigned k) {
      const uint32_t magnitude = uint32_t(std::abs(coded[k]));
      if (n > 0) out.Put(magnitude - uint32_t(low), n);
      out.PutBit(coded[k] < 0);
      coded[k] = 0;  // given: no longer significant for the region tests
      return true;
    });
  }
}

std::array<int8_t, 64> PutResidue(BitWriter& out, const std::array<int8_t, 64>& block,
                                  unsigned top, unsigned eventLimit) {
  Require(top <= 7, "residue top");
  int32_t magnitude[64];
  bool negative[64];
  for (unsigned k = 0; k < 64; ++k) {
    const int32_t v = block[kScan[k]];
    Require(v > -128 && std::abs(v) < (2 << top), "residue value out of range");
    magnitude[k] = std::abs(v);
    negative[k] = v < 0;
  }
  out.Put(top, 3);
  int32_t decoded[64] = {};
  bool given[64] = {};
  std::vector<unsigned> significantList;
  unsigned events = 0;
  bool stopped = false;
  auto event = [&] {
    if (events++ == eventLimit) stopped = true;
    return !stopped;
  };
  RegionList list{{{0, 4}, {0, 24}, {0, 44}, {2, 0}}};
  for (unsigned p = top + 1; p-- > 0 && !stopped;) {
    const int32_t m = int32_t(1) << p;
    const size_t earlier = significantList.size();
    for (size_t s = 0; s < earlier && !stopped; ++s) {
      const unsigned k = significantList[s];
      const bool bit = (magnitude[k] & m) != 0;
      out.PutBit(bit);
      if (bit) {
        decoded[k] += negative[k] ? -m : m;
        event();
      }
    }
    if (stopped) break;
    auto significant = [&](unsigned index, unsigned span) {
      for (unsigned k = index; k < index + span && k < 64; ++k)
        if (!given[k] && magnitude[k] >= m) return true;
      return false;
    };
    list.Pass(out, significant, [&](unsigned k) {
      given[k] = true;
      significantList.push_back(k);
      out.PutBit(negative[k]);
      decoded[k] = negative[k] ? -m : m;
      return event();
    });
  }
  std::array<int8_t, 64> result{};
  for (unsigned k = 0; k < 64; ++k) result[kScan[k]] = int8_t(decoded[k]);
  return result;
}

BlockSpec SkipBlock() { return BlockSpec{}; }

BlockSpec IgnoredBlock(uint8_t type) {
  BlockSpec b;
  b.type = type;
  return b;
}

BlockSpec MotionBlock(int dx, int dy) {
  BlockSpec b;
  b.type = 2;
  b.dx = {int8_t(dx)};
  b.dy = {int8_t(dy)};
  return b;
}

BlockSpec FillBlock(uint8_t colour) {
  BlockSpec b;
  b.type = 6;
  b.colours = {colour};
  return b;
}

BlockSpec RawBlock(const std::array<uint8_t, 64>& colours) {
  BlockSpec b;
  b.type = 9;
  b.colours.assign(colours.begin(), colours.end());
  return b;
}

BlockSpec PatternBlock(uint8_t c0, uint8_t c1, const std::array<uint8_t, 8>& rows) {
  BlockSpec b;
  b.type = 8;
  b.colours = {c0, c1};
  b.patterns.assign(rows.begin(), rows.end());
  return b;
}

BlockSpec RunBlock(unsigned scanTable, const std::vector<RunSegment>& segments, uint8_t last) {
  BlockSpec b;
  b.type = 3;
  b.bits.Put(scanTable, 4);
  unsigned i = 0;
  for (const RunSegment& s : segments) {
    Require(i < 63 && s.length >= 1 && s.length <= 16, "run segment");
    b.bits.PutBit(s.same);
    Require(s.colours.size() == (s.same ? 1 : s.length), "run colours");
    b.colours.insert(b.colours.end(), s.colours.begin(), s.colours.end());
    b.runs.push_back(uint8_t(s.length - 1));
    i += s.length;
  }
  Require(i == 63 || i == 64, "runs must end at 63 or 64");
  if (i == 63) b.colours.push_back(last);
  return b;
}

BlockSpec IntraBlock(int16_t dc, const std::array<int16_t, 64>& ac, unsigned q) {
  BlockSpec b;
  b.type = 5;
  b.intraDc = {dc};
  PutCoefficients(b.bits, ac);
  b.bits.Put(q, 4);
  return b;
}

BlockSpec InterBlock(int dx, int dy, int16_t dc, const std::array<int16_t, 64>& ac, unsigned q) {
  BlockSpec b;
  b.type = 7;
  b.dx = {int8_t(dx)};
  b.dy = {int8_t(dy)};
  b.interDc = {dc};
  PutCoefficients(b.bits, ac);
  b.bits.Put(q, 4);
  return b;
}

BlockSpec ResidueBlock(int dx, int dy, const std::array<int8_t, 64>& residue, unsigned top,
                       unsigned eventLimit) {
  BlockSpec b;
  b.type = 4;
  b.dx = {int8_t(dx)};
  b.dy = {int8_t(dy)};
  b.bits.Put(eventLimit, 7);
  PutResidue(b.bits, residue, top, eventLimit);
  return b;
}

BlockSpec ScaledBlock(BlockSpec inner) {
  inner.subType = inner.type;
  inner.type = 1;
  inner.takesSubType = true;
  return inner;
}

BlockSpec ScaledSubType(uint8_t subType) {
  BlockSpec b;
  b.type = 1;
  b.subType = subType;
  b.takesSubType = true;
  return b;
}

BlockSpec ScaledContinuation() {
  BlockSpec b;
  b.type = 1;
  return b;
}

BitWriter WritePlaneBits(const PlaneSpec& plane) {
  BitWriter out;
  WriteSymbolMap(out, plane.blockTypes);
  WriteSymbolMap(out, plane.subTypes);
  for (const SymbolMapSpec& map : plane.colourHigh) WriteSymbolMap(out, map);
  WriteSymbolMap(out, plane.colourLow);
  WriteSymbolMap(out, plane.patterns);
  WriteSymbolMap(out, plane.xOffsets);
  WriteSymbolMap(out, plane.yOffsets);
  WriteSymbolMap(out, plane.runs);

  // Values each row takes from each stream, in stream order.
  const size_t rowCount = plane.rows.size();
  std::vector<std::array<std::vector<int32_t>, 9>> taken(rowCount);
  for (size_t r = 0; r < rowCount; ++r) {
    for (const BlockSpec& b : plane.rows[r]) {
      auto& t = taken[r];
      t[0].push_back(b.type);
      if (b.takesSubType) t[1].push_back(b.subType);
      t[2].insert(t[2].end(), b.colours.begin(), b.colours.end());
      t[3].insert(t[3].end(), b.patterns.begin(), b.patterns.end());
      t[4].insert(t[4].end(), b.dx.begin(), b.dx.end());
      t[5].insert(t[5].end(), b.dy.begin(), b.dy.end());
      t[6].insert(t[6].end(), b.intraDc.begin(), b.intraDc.end());
      t[7].insert(t[7].end(), b.interDc.begin(), b.interDc.end());
      t[8].insert(t[8].end(), b.runs.begin(), b.runs.end());
    }
  }
  unsigned previousHigh = 0;
  auto putColour = [&](int32_t colour) {
    unsigned v = unsigned(colour);
    if (plane.older) {
      Require(colour >= 1 && colour <= 255, "older colours are 1..255");
      v = colour >= 128 ? unsigned(colour - 128) : unsigned(256 - colour);
    }
    PutSymbol(out, plane.colourHigh[previousHigh], v >> 4);
    PutSymbol(out, plane.colourLow, v & 15);
    previousHigh = v >> 4;
  };
  auto writeChunk = [&](unsigned stream, const std::vector<int32_t>& v, bool fill) {
    const uint32_t width = stream == 1 ? plane.width / 2 : plane.width;
    const uint32_t capacity = 512 + width / 8 * CapacityMultiplier(stream);
    out.Put(uint32_t(v.size()), std::min(15u, unsigned(std::bit_width(capacity - 1))));
    if (v.empty()) return;
    const bool equal = std::all_of(v.begin(), v.end(), [&](int32_t x) { return x == v[0]; });
    fill = fill && equal;
    switch (stream) {
      case 0:
      case 1: {
        const SymbolMapSpec& map = stream == 0 ? plane.blockTypes : plane.subTypes;
        const ChunkPolicy& policy = plane.policy[stream];
        out.PutBit(fill);
        if (fill) {
          out.Put(uint32_t(v[0]), 4);
          break;
        }
        int32_t last = 0;
        for (size_t i = 0; i < v.size();) {
          size_t same = 0;
          while (i + same < v.size() && v[i + same] == last) ++same;
          if (policy.runs && same >= 4) {
            static constexpr unsigned kRun[4] = {32, 12, 8, 4};
            static constexpr unsigned kSymbol[4] = {15, 14, 13, 12};
            for (unsigned r = 0; r < 4; ++r) {
              if (same >= kRun[r]) {
                PutSymbol(out, map, kSymbol[r]);
                i += kRun[r];
                break;
              }
            }
            continue;
          }
          Require(v[i] < 12, "block type literal must be below 12");
          PutSymbol(out, map, unsigned(v[i]));
          last = v[i++];
        }
        break;
      }
      case 2:
        out.PutBit(fill);
        if (fill) {
          putColour(v[0]);
        } else {
          for (int32_t c : v) putColour(c);
        }
        break;
      case 3:
        for (int32_t p : v) {
          PutSymbol(out, plane.patterns, unsigned(p) & 15);
          PutSymbol(out, plane.patterns, unsigned(p) >> 4);
        }
        break;
      case 4:
      case 5: {
        const SymbolMapSpec& map = stream == 4 ? plane.xOffsets : plane.yOffsets;
        out.PutBit(fill);
        if (fill) {
          out.PutSigned(v[0], 4);
          break;
        }
        for (int32_t d : v) {
          PutSymbol(out, map, unsigned(std::abs(d)));
          if (d != 0) out.PutBit(d < 0);
        }
        break;
      }
      case 6:
      case 7: {
        if (stream == 6) {
          out.Put(uint32_t(v[0]), 11);
        } else {
          out.PutSigned(v[0], 10);
        }
        for (size_t i = 1; i < v.size();) {
          const size_t group = std::min<size_t>(8, v.size() - i);
          unsigned bits = 0;
          for (size_t k = i; k < i + group; ++k)
            bits = std::max(bits, unsigned(std::bit_width(uint32_t(std::abs(v[k] - v[k - 1])))));
          Require(bits <= 15, "DC step");
          out.Put(bits, 4);
          for (size_t k = i; k < i + group; ++k)
            if (bits) out.PutSigned(v[k] - v[k - 1], bits);
          i += group;
        }
        break;
      }
      case 8:
        out.PutBit(fill);
        if (fill) {
          out.Put(uint32_t(v[0]), 4);
        } else {
          for (int32_t r : v) PutSymbol(out, plane.runs, unsigned(r));
        }
        break;
    }
  };

  std::array<size_t, 9> remaining{};
  std::array<bool, 9> silenced{};
  for (size_t r = 0; r < rowCount; ++r) {
    for (unsigned s = 0; s < 9; ++s) {
      if (silenced[s] || remaining[s] != 0) continue;
      const ChunkPolicy& policy = plane.policy[s];
      const uint32_t width = s == 1 ? plane.width / 2 : plane.width;
      const size_t capacity = 512 + width / 8 * CapacityMultiplier(s);
      std::vector<int32_t> chunk;
      size_t last = r;
      bool any = false;
      for (size_t k = r; k < rowCount; ++k) {
        if (chunk.size() + taken[k][s].size() > capacity) break;
        chunk.insert(chunk.end(), taken[k][s].begin(), taken[k][s].end());
        last = k;
        if (!taken[k][s].empty()) any = true;
        if (any && !policy.wholePlane) break;
      }
      if (!any) {
        bool later = false;
        for (size_t k = r; k < rowCount; ++k) later = later || !taken[k][s].empty();
        Require(!later, "a row takes more values than a chunk holds");
        chunk.clear();
        silenced[s] = true;
      }
      (void)last;
      writeChunk(s, chunk, policy.fill);
      remaining[s] = chunk.size();
    }
    for (const BlockSpec& b : plane.rows[r]) out.Append(b.bits);
    for (unsigned s = 0; s < 9; ++s) {
      Require(remaining[s] >= taken[r][s].size() || silenced[s], "chunk bookkeeping");
      remaining[s] -= std::min(remaining[s], taken[r][s].size());
    }
  }
  return out;
}

PlaneSpec MixedPlane(uint32_t width, uint32_t height, uint32_t seed, const BlockMix& mix) {
  std::mt19937 rng(seed);
  const unsigned weights[11] = {mix.skip,  mix.motion, mix.run, mix.residue, mix.intra, mix.fill,
                                mix.inter, mix.pattern, mix.raw, mix.ignored, mix.scaled};
  unsigned total = 0;
  for (unsigned w : weights) total += w;
  auto pickKind = [&] {
    unsigned r = unsigned(rng() % total);
    for (unsigned k = 0; k < 11; ++k) {
      if (r < weights[k]) return k;
      r -= weights[k];
    }
    return 0u;
  };
  PlaneSpec spec;
  spec.width = width;
  spec.height = height;
  const unsigned columns = width / 8;
  for (unsigned by = 0; by < height / 8; ++by) {
    std::vector<BlockSpec> row;
    for (unsigned bx = 0; bx < columns;) {
      const bool evenRow = by % 2 == 0;
      if (!evenRow && !spec.rows[by - 1].empty()) {
        // Below a scaled block: its continuation.
        unsigned x = 0;
        bool below = false;
        for (const BlockSpec& b : spec.rows[by - 1]) {
          if (x == bx && b.type == 1) below = true;
          x += b.type == 1 ? 2 : 1;
        }
        if (below) {
          row.push_back(ScaledContinuation());
          bx += 2;
          continue;
        }
      }
      const unsigned pick = pickKind();
      const uint8_t colour = uint8_t(1 + rng() % 255);
      if (pick == 10 && evenRow && bx + 2 <= columns && by + 2 <= height / 8) {
        row.push_back(ScaledBlock(rng() % 2 ? FillBlock(colour) : PatternBlock(colour, 3, {1, 2, 3, 4, 5, 6, 7, 8})));
        bx += 2;
        continue;
      }
      std::array<int16_t, 64> ac{};
      ac[rng() % 63 + 1] = int16_t(int(rng() % 40) - 20);
      std::array<int8_t, 64> residue{};
      residue[rng() % 64] = int8_t(int(rng() % 60) - 30);
      std::array<uint8_t, 64> raw;
      for (auto& v : raw) v = uint8_t(1 + rng() % 255);
      const int dx = int(rng() % 7) - 3, dy = int(rng() % 7) - 3;
      const bool inside = int(bx * 8) + dx >= 0 && int(by * 8) + dy >= 0 &&
                          int(bx * 8) + dx + 8 <= int(width) && int(by * 8) + dy + 8 <= int(height);
      switch (pick) {
        case 0: row.push_back(SkipBlock()); break;
        case 1: row.push_back(inside ? MotionBlock(dx, dy) : SkipBlock()); break;
        case 2: row.push_back(RunBlock(rng() % 16, {{true, 16, {colour}}, {false, 3, {1, 2, 3}}, {true, 16, {9}}, {true, 16, {8}}, {true, 12, {7}}}, 5)); break;
        case 3: row.push_back(inside ? ResidueBlock(dx, dy, residue, 5, 127) : FillBlock(colour)); break;
        case 4: row.push_back(IntraBlock(int16_t(rng() % 2048), ac, rng() % 16)); break;
        case 5: row.push_back(FillBlock(colour)); break;
        case 6: row.push_back(inside ? InterBlock(dx, dy, int16_t(int(rng() % 200) - 100), ac, rng() % 16) : SkipBlock()); break;
        case 7: row.push_back(PatternBlock(colour, uint8_t(colour ^ 0x5A), {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, uint8_t(rng())})); break;
        case 8: row.push_back(RawBlock(raw)); break;
        case 9: row.push_back(IgnoredBlock(uint8_t(10 + rng() % 2))); break;
        default: row.push_back(FillBlock(colour)); break;  // a scaled block that does not fit
      }
      ++bx;
    }
    spec.rows.push_back(row);
  }
  return spec;
}

std::vector<uint8_t> WritePlane(const PlaneSpec& plane) { return WritePlaneBits(plane).Words(); }

std::vector<uint8_t> WriteFrame(const FrameData& frame) {
  std::vector<uint8_t> out;
  auto putWord = [&](uint32_t v) {
    for (unsigned i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
  };
  if (frame.alpha) {
    putWord(uint32_t(4 + frame.alphaPlane.size()));
    out.insert(out.end(), frame.alphaPlane.begin(), frame.alphaPlane.end());
  }
  if (!frame.older) putWord(uint32_t(4 + frame.luma.size()));
  out.insert(out.end(), frame.luma.begin(), frame.luma.end());
  out.insert(out.end(), frame.chroma1.begin(), frame.chroma1.end());
  out.insert(out.end(), frame.chroma2.begin(), frame.chroma2.end());
  return out;
}

}  // namespace quortest
