// UTF-16 read back as UTF-8 the way the toolkit writes it, paired surrogates included; a lone
// surrogate becomes U+FFFD instead of bytes no reader accepts.
#include <gtest/gtest.h>

#include <QString>
#include <random>

#include "platform/sys/Text.h"

TEST(AppendUtf8, AgreesWithTheToolkitAndReplacesLoneSurrogates) {
    std::mt19937 rng(3);
    const char16_t pieces[] = {u'a', u' ', 0x7F, 0x80, 0xE9, 0x7FF, 0x800, 0x20AC, 0xFFFF};
    for (int round = 0; round < 200; ++round) {
        std::u16string s;
        for (int k = int(rng() % 12); k > 0; --k) {
            if (rng() % 4 == 0) {
                s += char16_t(0xD83D);  // U+1F600, a pair
                s += char16_t(0xDE00);
            } else {
                s += pieces[rng() % 9];
            }
        }
        std::string out = "x";
        ctl::AppendUtf8(s, out);
        QString q = QString::fromUtf16(s.data(), qsizetype(s.size()));
        EXPECT_EQ(out, "x" + q.toStdString());
    }
    std::string lone;
    ctl::AppendUtf8(std::u16string{u'a', char16_t(0xDE00), char16_t(0xD83D)}, lone);
    EXPECT_EQ(lone, "a\xEF\xBF\xBD\xEF\xBF\xBD");
}
