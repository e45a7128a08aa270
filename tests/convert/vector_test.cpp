// The vector row routines give exactly the bytes of the table arithmetic, for every input.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dispatch.h"
#include "layout.h"
#include "rows.h"

namespace quor::convert {
namespace {

std::vector<Isa> VectorIsas() {
  std::vector<Isa> isas{Isa::kSse2};
  if (BestIsa() == Isa::kAvx2) isas.push_back(Isa::kAvx2);
  return isas;
}

const char* Name(Isa isa) { return isa == Isa::kAvx2 ? "AVX2" : "SSE2"; }

// Every combination of luma, plane-1 and plane-2 sample, through the 32-bit routine: row r of
// the sweep pairs chroma sample k (plane 1 = k) with luma 2r + k and 2r + k + 1, so that over
// 128 rows each chroma pair meets all 256 luma values; plane 2 is constant per pass.
TEST(VectorRows, ColourMatchesTablesForEveryLumaAndChroma) {
  constexpr uint32_t kWidth = 512;
  std::vector<uint8_t> luma(kWidth), plane1(kWidth / 2), plane2(kWidth / 2);
  for (uint32_t k = 0; k < kWidth / 2; ++k) plane1[k] = static_cast<uint8_t>(k);
  std::vector<uint8_t> want(kWidth * 4), got(kWidth * 4);
  const Layout layout = LayoutFor(3, false, false);
  for (Isa isa : VectorIsas()) {
    SCOPED_TRACE(Name(isa));
    const RowFn plain = PlainRows().rgb32.kind[0][0];
    const RowFn vector = RowsFor(isa).rgb32.kind[0][0];
    int mismatches = 0;
    for (int u = 0; u < 256 && mismatches == 0; ++u) {
      std::fill(plane2.begin(), plane2.end(), static_cast<uint8_t>(u));
      for (uint32_t r = 0; r < 128 && mismatches == 0; ++r) {
        for (uint32_t i = 0; i < kWidth; ++i) luma[i] = static_cast<uint8_t>(2 * r + i / 2 + i % 2);
        RowJob job{want.data(), luma.data(), plane1.data(), plane2.data(), nullptr, 0, kWidth,
                   nullptr, nullptr, nullptr};
        plain(job, layout);
        job.dest = got.data();
        vector(job, layout);
        if (want != got) {
          ++mismatches;
          for (uint32_t i = 0; i < kWidth * 4; ++i)
            if (want[i] != got[i]) {
              ADD_FAILURE() << "u " << u << " row " << r << " pixel " << i / 4 << " byte "
                            << i % 4 << ": " << int(got[i]) << " instead of " << int(want[i]);
              break;
            }
        }
      }
    }
  }
}

// Every family, routine kind and format layout, for one row and for two rows sharing a chroma
// row, starting on either pixel of a chroma pair and ending anywhere, over all luma values and a
// spread of chroma and alpha values.
TEST(VectorRows, EveryFormatAndKindMatchesPlainRoutines) {
  constexpr uint32_t kWidth = 600;
  std::vector<uint8_t> luma(kWidth), alpha(kWidth), plane1(kWidth / 2), plane2(kWidth / 2);
  std::vector<uint8_t> luma2(kWidth), alpha2(kWidth);
  for (uint32_t i = 0; i < kWidth; ++i) {
    luma[i] = static_cast<uint8_t>(i * 101 + (i >> 8));
    alpha[i] = static_cast<uint8_t>(i * 37 + 5);
    luma2[i] = static_cast<uint8_t>(255 - i * 3);
    alpha2[i] = static_cast<uint8_t>(i * 91);
  }
  for (uint32_t k = 0; k < kWidth / 2; ++k) {
    plane1[k] = static_cast<uint8_t>(k * 7 + 3);
    plane2[k] = static_cast<uint8_t>(255 - k * 13);
  }
  const std::pair<uint32_t, uint32_t> runs[] = {{0, 600}, {1, 599}, {2, 64}, {3, 61}, {0, 15},
                                                {1, 14},  {17, 33}, {30, 2}, {0, 1},  {33, 520}};
  std::vector<uint8_t> want(kWidth * 8 + 8), got(kWidth * 8 + 8);
  std::vector<uint8_t> want2(kWidth * 8 + 8), got2(kWidth * 8 + 8);
  for (Isa isa : VectorIsas()) {
    for (uint32_t code = 1; code <= 14; ++code) {
      for (int older = 0; older < 2; ++older) {
        const Layout layout = LayoutFor(code, true, older != 0);
        auto pick = [&](const RowSet& s) -> const FamilyRows& {
          switch (layout.family) {
            case Family::kRgb24: return s.rgb24;
            case Family::kRgb16: return s.rgb16;
            case Family::kPackedYuv: return s.packedYuv;
            default: return s.rgb32;
          }
        };
        for (int gray = 0; gray < 2; ++gray) {
          for (int dbl = 0; dbl < 2; ++dbl) {
            for (int rows = 1; rows <= 2; ++rows) {
              for (auto [x, n] : runs) {
                if (layout.family == Family::kPackedYuv) {
                  x &= ~1u;
                  n &= ~1u;
                }
                SCOPED_TRACE(std::string(Name(isa)) + " code " + std::to_string(code) +
                             " older " + std::to_string(older) + " gray " + std::to_string(gray) +
                             " double " + std::to_string(dbl) + " rows " + std::to_string(rows) +
                             " x " + std::to_string(x) + " n " + std::to_string(n));
                for (auto* v : {&want, &got, &want2, &got2}) std::fill(v->begin(), v->end(), 0xA5);
                const bool two = rows == 2;
                RowJob job{want.data(), luma.data(), plane1.data(), plane2.data(), alpha.data(),
                           x, n, two ? want2.data() : nullptr, two ? luma2.data() : nullptr,
                           two ? alpha2.data() : nullptr};
                pick(PlainRows()).kind[gray][dbl](job, layout);
                job.dest = got.data();
                job.dest2 = two ? got2.data() : nullptr;
                pick(RowsFor(isa)).kind[gray][dbl](job, layout);
                ASSERT_EQ(want, got);
                ASSERT_EQ(want2, got2);
                // Exactly the run's bytes are written.
                const size_t written = size_t{n} * layout.bytesPerPixel * (dbl ? 2 : 1);
                ASSERT_EQ(got[written], 0xA5);
                if (two && n != 0) {
                  ASSERT_NE(want2, std::vector<uint8_t>(want2.size(), 0xA5));
                }
              }
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace quor::convert
