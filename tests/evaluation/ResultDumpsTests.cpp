#include "evaluation/ResultDumps.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace tiravel {
namespace {

std::vector<std::string> crLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
    return lines;
}

// Two seconds of sound and a few known values in the frame table.
struct DumpFixture : ::testing::Test {
    DumpFixture()
    {
        a.soundLength = 44100;
        a.energyTable[3][1] = 1.0;
        a.energyTable[3][2] = 0.0;
        a.energyTable[3][512] = 0.05;
        a.energyTable[1000][1] = 10.0;
        a.energyTable[0][1] = 0.5;
        a.frameF0[1] = 150.25;
        a.frameEnergy[1] = 0.5;
        a.frameF0[500] = 1234.5;
        a.frameEnergy[500] = 12.34567;
    }
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    AnalysisState& a = *state;
};

TEST_F(DumpFixture, FftDumpColumns)
{
    const std::vector<std::string> lines = crLfLines(fftDumpText(a, 3));
    ASSERT_EQ(lines.size(), 513u);
    EXPECT_EQ(lines[0], "Index\tTime(s)\tFreq(Hz)\tEnergy(dB)");
    EXPECT_EQ(lines[1], "    1\t 0.002\t 21.5\t90.00");
    EXPECT_EQ(lines[2], "    2\t 0.004\t 43.1\t10.00");
    EXPECT_EQ(lines[100], "  100\t 0.200\t2153.3\t10.00");
    EXPECT_EQ(lines[512], "  512\t 1.024\t11025.0\t63.98");
}

// The row comes from the selection, which may lie beyond the table: it is
// clamped to a stored frame instead of reading outside the table.
TEST_F(DumpFixture, FftDumpRowIsClamped)
{
    struct Case {
        std::int32_t start;
        std::int32_t row;
    };
    for (const Case c : {Case {-5, 0}, Case {0, 0}, Case {17, 17}, Case {1000, 1000}, Case {1001, 1000},
             Case {250000, 1000}})
        EXPECT_EQ(fftDumpRow(c.start), c.row) << c.start;
    EXPECT_EQ(crLfLines(fftDumpText(a, 250000))[1], "    1\t 0.002\t 21.5\t110.00");
    EXPECT_EQ(crLfLines(fftDumpText(a, -1))[1], "    1\t 0.002\t 21.5\t83.98");
}

TEST_F(DumpFixture, F0DumpColumns)
{
    const std::vector<std::string> lines = crLfLines(f0DumpText(a));
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[0], "Time(s)\tF0(Hz)\tPower(dB)");
    EXPECT_EQ(lines[1], "  0.0020\t150.25\t0.5000");
    EXPECT_EQ(lines[2], "  0.0040\t  0.00\t0.0000");
    EXPECT_EQ(lines[500], "  1.0000\t1234.50\t12.3457");
    EXPECT_EQ(lines[1000], "  2.0000\t  0.00\t0.0000");
}

TEST(F0DumpFileNameTest, PrefixOnlyForNamesLongerThanTen)
{
    struct Case {
        const char* sound;
        const char* dump;
    };
    for (const Case c : {Case {"short.wav", "_dump_f0.txt"}, Case {"", "_dump_f0.txt"},
             Case {"abcdef.wav", "_dump_f0.txt"}, Case {"abcdefg.wav", "abcdef_dump_f0.txt"},
             Case {"patient_apres_a-chant.wav", "patien_dump_f0.txt"},
             // Characters, not bytes: an accented name is not cut inside a letter.
             Case {"éléphant.wav", "élépha_dump_f0.txt"}, Case {"àé.wav", "_dump_f0.txt"},
             Case {"ééééé.wav", "_dump_f0.txt"}})
        EXPECT_EQ(f0DumpFileName(c.sound), c.dump) << c.sound;
}

TEST(WriteDumpFileTest, WritesOverAndFailsWithoutFile)
{
    test::TempFolder temp;
    const std::filesystem::path file = temp.path(kFftDumpFileName);
    test::writeFile(file, std::vector<std::uint8_t>(5000, 'x'));
    ASSERT_TRUE(writeDumpFile(file, "a\r\nb\r\n"));
    EXPECT_EQ(test::readFile(file), (std::vector<std::uint8_t> {'a', '\r', '\n', 'b', '\r', '\n'}));

    const std::filesystem::path unreachable = temp.path("missing-folder") / "dump_fft.txt";
    EXPECT_FALSE(writeDumpFile(unreachable, "a\r\n"));
    EXPECT_FALSE(std::filesystem::exists(unreachable));
    EXPECT_FALSE(writeDumpFile(temp.path(""), "a\r\n")); // a folder, not a file
}

} // namespace
} // namespace tiravel
