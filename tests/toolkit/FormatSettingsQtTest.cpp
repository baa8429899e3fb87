#include "toolkit/FormatSettingsQt.h"

#include <gtest/gtest.h>

TEST(FormatSettingsQt, SeparatorsComeFromTheLocale) {
    const struct {
        const char* Locale;
        const char* Thousands;
        const char* Decimal;
    } cases[] = {
        {"en_US", ",", "."},
        {"de_DE", ".", ","},
        {"fr_FR", "\u202f", ","}, // narrow no-break space, as UTF-8
    };
    for (const auto& c : cases) {
        const FormatSettings settings = FormatSettingsFor(QLocale(c.Locale));
        EXPECT_EQ(settings.ThousandSeparator, c.Thousands) << c.Locale;
        EXPECT_EQ(settings.DecimalSeparator, c.Decimal) << c.Locale;
    }
}
