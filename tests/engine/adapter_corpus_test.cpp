// CGaussProjection gives the very bits it gave before the engine grew its core: every recorded
// state of tests/data/adapter_corpus.txt, run through its operation, must leave every member as
// recorded (NaN compares equal to NaN; the sign of zero counts).
#include <cmath>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/engine/adapter_corpus.h"

namespace {

bool SameBits(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) {
        return true;
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
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
            EXPECT_TRUE(SameBits(got[i], want[i]))
                << op << " " << names[i] << ": " << corpus::Hex(got[i]) << " recorded "
                << corpus::Hex(want[i]);
        }
        EXPECT_EQ(p->m_nZoneWidth, expected->m_nZoneWidth) << op;
        EXPECT_EQ(p->m_nZone, expected->m_nZone) << op;
    }
    EXPECT_EQ(records, 8 * 400);
}

} // namespace
