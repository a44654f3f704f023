// CGaussProjection gives the numbers it gave before the engine grew its core: every recorded
// state of tests/data/adapter_corpus.txt, run through its operation, must leave every member as
// recorded. The corpus holds the states the form can meet (see record_adapter_corpus.cpp).
//
// Bit for bit holds on the C library the corpus was recorded with, glibc's libm: the series
// calls sin, cos, tan and sqrt, and another library may round those differently in the last
// place. There every member must have the recorded bits (NaN compares equal to NaN; the sign of
// zero counts); elsewhere it must agree to a few units in the last place.
#include <cmath>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/engine/adapter_corpus.h"

namespace {

#ifdef __GLIBC__
constexpr bool kSameLibm = true;
#else
constexpr bool kSameLibm = false;
#endif

bool SameBits(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) {
        return true;
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Another libm's last-place differences grow through the series and the footpoint iteration;
// 1e-12 relative is a tenth of a micrometre on a northing.
bool Agree(double got, double want) {
    if (kSameLibm) {
        return SameBits(got, want);
    }
    return SameBits(got, want) || std::fabs(got - want) <= 1e-12 * std::fabs(want);
}

TEST(AdapterCorpus, EveryOperationGivesTheRecordedBits) {
    std::ifstream file(GK_TEST_DATA_DIR "/adapter_corpus.txt");
    ASSERT_TRUE(file) << "cannot open the corpus";
    std::string line;
    int lineNo = 0;
    int records = 0;
    while (std::getline(file, line)) {
        ++lineNo;
        SCOPED_TRACE(testing::Message() << "adapter_corpus.txt:" << lineNo << ": " << line);
        std::istringstream in(line);
        std::string op;
        std::string arrow;
        in >> op;
        std::optional<CGaussProjection> p = corpus::Read(in);
        in >> arrow;
        const std::optional<CGaussProjection> expected = corpus::Read(in);
        ASSERT_TRUE(p && expected && arrow == "->") << "unreadable record";
        corpus::Run(*p, op);
        ++records;
        const double got[] = {p->m_a, p->m_f, p->m_L0, p->m_B, p->m_L, p->m_X, p->m_Y};
        const double want[] = {expected->m_a, expected->m_f, expected->m_L0, expected->m_B,
                               expected->m_L, expected->m_X, expected->m_Y};
        const char* names[] = {"a", "f", "L0", "B", "L", "X", "Y"};
        for (int i = 0; i < 7; ++i) {
            EXPECT_TRUE(Agree(got[i], want[i]))
                << op << " " << names[i] << ": " << corpus::Hex(got[i]) << " recorded "
                << corpus::Hex(want[i]);
        }
        EXPECT_EQ(p->m_nZoneWidth, expected->m_nZoneWidth) << op;
        EXPECT_EQ(p->m_nZone, expected->m_nZone) << op;
    }
    EXPECT_EQ(records, 8 * 400);
}

} // namespace
