#include "calculation/field_checks.h"

#include <gtest/gtest.h>

#include "calculation/integration_settings.h"
#include "localisation/language.h"

namespace tessavin {
namespace {

// Leaving a field of the input page: text typed -> accepted, box text, focus back.
TEST(InputFieldChecks, TableOfLeaveFieldCases) {
    SetLanguage(Language::English);
    struct Case {
        const char* control;
        const char* text;
        bool accepted;
        const char* box; // nullptr: no box
        bool focusBack;
        const char* start = "0";
        const char* end = ""; // EdRokKon's text, against which a start is checked
    };
    const Case cases[] = {
        {"EdKonstC", "2.5E-3", true, nullptr, false},
        {"EdKonstC", "2,5", false, "Number entry is not correct (C=2,5)", true},
        {"EdKonstC", "0", true, "Constant of material  C  was not specified! (C=", false},
        {"EdMocM", "3.2", true, nullptr, false},
        {"EdMocM", "x", false, "Number entry is not correct (m=x)", true},
        {"EdMocM", "0", false, "Exponent m (0) < 0", true},
        {"EdSirPas", "0", true, nullptr, false},
        {"EdSirPas", "-1", false, "Number entry is not correct (bf=-1)", true},
        {"EdTloPas", "", false, "Number entry is not correct (tf=)", true},
        {"EdNavPravd", "1", true, nullptr, false},
        {"EdNavPravd", "1.0001", false, "Number entry is not correct (Pd=1.0001)", true},
        {"EdEps", "-5", true, nullptr, false},
        {"EdEps", "E", false, "Number entry is not correct (Eps=E)", true},
        {"EdPocetIntervalu", "1024", true, nullptr, false},
        {"EdPocetIntervalu", "2", false, "Number of intervals is not in range 3 .. 1024 :", true},
        {"EdPocetIntervalu", "1025", false,
         "Number of intervals is not in range 3 .. 1024 :", true},
        {"EdPocetIntervalu", "12a", false, "'12a' is not a valid integer value", false},
        {"EdRokT", "300", true, nullptr, false},
        {"EdRokT", "301", false, "Number entry is not correct (Year<1 or Year>300", true},
        {"EdRokKrok", "0", true, nullptr, false},
        {"EdRokKrok", "-1", false, "Number entry is not correct (Step=-1)", true},
        {"EdRokKon", "", false, "Number entry is not correct (Year<1 or Year>300", true},
        {"EdRokKon", "100", false, "end < start ! ! !   (start=120,end=100)", true, "120"},
        {"EdRokKon", "120", true, nullptr, false, "120"},
        // A start after the end is refused on the start field with the same message.
        {"EdRokT", "160", false, "end < start ! ! !   (start=160,end=150)", true, "0", "150"},
        {"EdRokT", "150", true, nullptr, false, "0", "150"},
        {"EdRokT", "160", true, nullptr, false, "0", "x"}, // no end year to compare with
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " '" + c.text + "'");
        const FieldCheck check = CheckInputField(c.control, c.text, c.start, c.end);
        EXPECT_EQ(check.accepted, c.accepted);
        EXPECT_EQ(check.focusBack, c.focusBack);
        ASSERT_EQ(check.box.has_value(), c.box != nullptr);
        if (c.box) {
            EXPECT_EQ(check.box->text, c.box);
            EXPECT_EQ(check.box->kind, BoxKind::Error);
            EXPECT_EQ(check.box->focus, c.focusBack ? c.control : "");
        }
    }
}

TEST(IntegrationFieldChecks, TableOfLeaveFieldCases) {
    struct Case {
        const char* control;
        const char* text;
        int method;
        const char* box; // nullptr: accepted
    };
    const Case cases[] = {
        {"EdNintegrace", "10", 0, nullptr},
        {"EdNintegrace", "10000", 0, nullptr},
        {"EdNintegrace", "9", 0, "Number of diferences n < 10 (n=9)"},
        {"EdNintegrace", "10001", 0, "Number of diferences n > 10000 (n=10001)"},
        {"EdNintegrace", "-3", 0, "Chybný zápis čísla (n=-3)"},
        {"EdNintegrace", "1001", 1, "Number of diferences n not even (n=1001)"},
        {"EdNintegrace", "1001", 0, nullptr},
        {"EdNintegrace", "1000", 1, nullptr},
        {"EdN", "5", 2, nullptr},
        {"EdN", "10", 2, nullptr},
        {"EdN", "4", 2, "Parameter n < 5 (cn=4)"},
        {"EdN", "11", 2, "Parameter n > 10 (cn=11)"},
        {"EdN", "n", 2, "Chybný zápis čísla (cn=n)"},
        {"EdTol0", "0.1", 3, nullptr},
        {"EdTol0", "0", 3, "Paramater tol0 < 0,0000001 ( tol0=0)"},
        {"EdTol0", "0.11", 3, "Paramater tol0 > 0.1 ( tol0=0.11)"},
        {"EdTol0", "-1", 3, "Chybný zápis čísla (tol0=-1)"},
    };
    for (Language language : {Language::English, Language::Czech}) {
        SetLanguage(language);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.control) + " '" + c.text + "'");
            const auto box = CheckIntegrationField(c.control, c.text, c.method);
            ASSERT_EQ(box.has_value(), c.box != nullptr);
            if (!box) continue;
            EXPECT_EQ(box->focus, c.control);
            // The first line of each check is Czech in both languages.
            if (language == Language::English || std::string(c.box).rfind("Chybn", 0) == 0) {
                EXPECT_EQ(box->text, c.box);
            }
        }
    }
    SetLanguage(Language::Czech);
    EXPECT_EQ(CheckIntegrationField("EdN", "4", 2)->text, "Parametr n < 5 (cn=4)");
    SetLanguage(Language::English);
}

TEST(IntegrationFieldChecks, MethodLineNamesTheParameterOfTheMethod) {
    SetLanguage(Language::English);
    IntegrationSettings s;
    const std::pair<int, const char*> cases[] = {
        {0, "Choice of integration method : Trapezoidal rule (1000)"},
        {1, "Choice of integration method : Simpson's rule (1000)"},
        {2, "Choice of integration method : Romberg's method ( n = 10 )"},
        {3, "Choice of integration method : Adaptive integration ( tol0 = 0.0001 )"},
        {4, "Choice of integration method : Gaussian quadrature "},
    };
    for (const auto& [method, line] : cases) {
        s.method = method;
        EXPECT_EQ(MethodLine(s), line);
    }
}

} // namespace
} // namespace tessavin
