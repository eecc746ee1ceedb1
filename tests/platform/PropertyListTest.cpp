#include "platform/TextEncoding.h"
#include "platform/values/Array.h"
#include "platform/values/Dict.h"
#include "platform/values/PlistText.h"
#include "platform/values/PropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace plat;

namespace {

Ref<Dict> SampleTree()
{
    Ref<Dict> root = Dict::Make();
    root->Set("name", String::Make("a<b>&\"c\"\r\n\x01z"));
    root->Set("count", Number::MakeInt(-9223372036854775807LL - 1));
    root->Set("ratio", Number::MakeReal(0.1));
    root->Set("on", Bool::Make(true));
    root->Set("off", Bool::Make(false));
    const uint8_t bytes[] = {0x00, 0xFF, 0x10, 0x80};
    root->Set("blob", Data::Make(bytes, sizeof bytes));
    root->Set("when", Date::Make(1700000000));
    Ref<Array> list = Array::Make();
    list->Append(String::Make(""));
    list->Append(Dict::Make());
    list->Append(Array::Make());
    root->Set("list", list);
    return root;
}

} // namespace

TEST(PropertyList, WritesTheDocumentExactly)
{
    Ref<Dict> root = Dict::Make();
    root->Set("b", Number::MakeInt(7));
    root->Set("a", String::Make("x&y"));
    EXPECT_EQ(PropertyList::Write(*root),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
              "\t<key>a</key>\n\t<string>x&amp;y</string>\n\t<key>b</key>\n\t<integer>7</integer>\n"
              "</dict>\n</plist>\n");
}

TEST(PropertyList, RoundTripsEveryKindAndDeepCopiesIndependently)
{
    Ref<Dict> root = SampleTree();
    std::string error;
    Ref<Value> back = PropertyList::Read(PropertyList::Write(*root), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_TRUE(back->Equals(*root));

    Ref<Value> copy = root->DeepCopy();
    EXPECT_TRUE(copy->Equals(*root));
    copy->As<Dict>()->GetAs<Array>("list")->At(1)->As<Dict>()->Set("k", Bool::Make(true));
    EXPECT_FALSE(copy->Equals(*root));
    EXPECT_EQ(root->GetAs<Array>("list")->At(1)->As<Dict>()->Count(), 0u);
}

TEST(PropertyList, RealsKeepEveryBitAndSpecialValues)
{
    for (double v : {0.1, -1e308, 5e-324, 1.0 / 3.0, double(INFINITY), -double(INFINITY)}) {
        Ref<Value> back = PropertyList::Read(PropertyList::Write(*Number::MakeReal(v)));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->As<Number>()->Real(), v);
    }
    Ref<Value> nan = PropertyList::Read(PropertyList::Write(*Number::MakeReal(NAN)));
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(nan->As<Number>()->Real()));
}

TEST(PropertyList, ReadsForeignButValidDocuments)
{
    const char* text = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE plist [ <!ENTITY x \">\"> ]>\n"
                       "<!-- c --><plist version=\"1.0\"><dict><key>s</key><string><![CDATA[<raw>]]>"
                       "&#x41;&#66;&apos;</string><key>e</key><string/><key>t</key><true></true>"
                       "<key>n</key><integer> +12 </integer></dict></plist>";
    std::string error;
    Ref<Value> value = PropertyList::Read(text, &error);
    ASSERT_TRUE(value) << error;
    Dict* dict = value->As<Dict>();
    EXPECT_EQ(dict->GetAs<String>("s")->Text(), "<raw>AB'");
    EXPECT_EQ(dict->GetAs<String>("e")->Text(), "");
    EXPECT_TRUE(dict->GetAs<Bool>("t")->IsTrue());
    EXPECT_EQ(dict->GetAs<Number>("n")->Int(), 12);
}

TEST(PropertyList, RefusesMalformedText)
{
    const char* bad[] = {
        "",
        "<plist>",
        "<plist><dict><key>a</key></dict></plist>",                 // key without value
        "<plist><dict><string>a</string></dict></plist>",           // value without key
        "<plist><integer>99999999999999999999</integer></plist>",   // overflow
        "<plist><integer>1x</integer></plist>",
        "<plist><string>&#xD800;</string></plist>",                 // surrogate
        "<plist><string>&#1114112;</string></plist>",               // above U+10FFFF
        "<plist><string>&bogus;</string></plist>",
        "<plist><string>a</strin></plist>",
        "<plist><data>a</data></plist>",
        "<plist><date>2024-13-01T00:00:00Z</date></plist>",
        "<plist><string>\xC3</string></plist>",                     // cut UTF-8
        "<plist><true/></plist><x/>",
        "<plist><widget/></plist>",
    };
    for (const char* text : bad)
        EXPECT_FALSE(PropertyList::Read(text)) << text;
}

TEST(PropertyList, NulReadsAndWritesAsReplacementCharacter)
{
    const std::string fffd = "\xEF\xBF\xBD";
    Ref<Dict> root = Dict::Make();
    root->Set(std::string("k\0y", 3), String::Make(std::string("a\0b", 3)));
    const std::string text = PropertyList::Write(*root);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.find("&#0;"), std::string::npos);
    std::string error;
    Ref<Value> back = PropertyList::Read(text, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->As<Dict>()->GetAs<String>("k" + fffd + "y")->Text(), "a" + fffd + "b");

    // Raw NULs and NUL references, as older files hold them, read the same way.
    const std::string raw("<plist><dict><key>\0</key><string>&#0;x\0<![CDATA[\0]]></string></dict></plist>", 76);
    back = PropertyList::Read(raw, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->As<Dict>()->GetAs<String>(fffd)->Text(), fffd + "x" + fffd + fffd);
}

// Random trees whose strings are valid UTF-8 with C0 controls read back as written, NUL as U+FFFD.
namespace {

std::string RandomUtf8(std::mt19937& random)
{
    std::string text;
    for (size_t n = random() % 12; n > 0; --n) {
        char32_t cp;
        switch (random() % 4) {
        case 0: cp = char32_t(random() % 0x20); break;
        case 1: cp = char32_t(0x20 + random() % 0x60); break;
        case 2: cp = char32_t(0x80 + random() % 0xD780); break;   // below the surrogates
        default: cp = char32_t(0xE000 + random() % (0x110000 - 0xE000)); break;
        }
        EXPECT_TRUE(AppendUtf8(text, cp));
    }
    return text;
}

std::string NulAsReplacement(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\0' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
    return out;
}

// The tree drawn from `random`, and what reading it back must give.
void RandomTree(std::mt19937& random, int depth, Ref<Value>& written, Ref<Value>& expected)
{
    const unsigned kind = depth >= 4 ? 2 + random() % 5 : random() % 7;
    if (kind < 2) {
        Ref<Value> w = kind == 0 ? Ref<Value>(Dict::Make()) : Ref<Value>(Array::Make());
        Ref<Value> e = kind == 0 ? Ref<Value>(Dict::Make()) : Ref<Value>(Array::Make());
        for (size_t n = random() % 5; n > 0; --n) {
            Ref<Value> cw, ce;
            RandomTree(random, depth + 1, cw, ce);
            if (kind == 0) {
                const std::string key = RandomUtf8(random);
                w->As<Dict>()->Set(key, cw);
                e->As<Dict>()->Set(NulAsReplacement(key), ce);
            } else {
                w->As<Array>()->Append(cw);
                e->As<Array>()->Append(ce);
            }
        }
        written = w;
        expected = e;
        return;
    }
    if (kind == 2) {
        const std::string text = RandomUtf8(random);
        written = String::Make(text);
        expected = String::Make(NulAsReplacement(text));
        return;
    }
    const uint64_t bits = (uint64_t(random()) << 32) | random();
    switch (kind) {
    case 3: written = Number::MakeInt(int64_t(bits)); break;
    case 4: written = Number::MakeReal(double(int64_t(bits)) / 1024.0); break;
    case 5: written = Bool::Make((bits & 1) != 0); break;
    default: {
        const uint8_t bytes[3] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16)};
        written = Data::Make(bytes, bits % 4);
        break;
    }
    }
    expected = written;
}

} // namespace

TEST(PropertyList, RandomTreesOfUtf8TextRoundTrip)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 500; ++round) {
        Ref<Value> written, expected;
        RandomTree(random, 0, written, expected);
        const std::string text = PropertyList::Write(*written);
        std::string error;
        Ref<Value> back = PropertyList::Read(text, &error);
        ASSERT_TRUE(back) << "round " << round << ": " << error << "\n" << text;
        ASSERT_TRUE(back->Equals(*expected)) << "round " << round << "\n" << text;
    }
}

TEST(PropertyList, CapsNesting)
{
    auto nested = [](int depth) {
        std::string text = "<plist>";
        for (int i = 0; i < depth; ++i)
            text += "<array>";
        for (int i = 0; i < depth; ++i)
            text += "</array>";
        return text + "</plist>";
    };
    EXPECT_TRUE(PropertyList::Read(nested(PropertyList::kMaxDepth)));
    EXPECT_FALSE(PropertyList::Read(nested(PropertyList::kMaxDepth + 1)));
    EXPECT_FALSE(PropertyList::Read(nested(100000)));
}

TEST(PropertyList, SurvivesRandomDamage)
{
    const std::string good = PropertyList::Write(*SampleTree());
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string text = good;
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % text.size();
            switch (random() % 3) {
            case 0: text[at] = char(random()); break;
            case 1: text.erase(at, 1 + random() % 8); break;
            default: text.insert(at, 1, "<>&;/\"!["[random() % 9]); break;
            }
            if (text.empty())
                text = "<";
        }
        (void)PropertyList::Read(text);
    }
}

TEST(PlistText, Base64AndDatesAtTheirBoundaries)
{
    for (size_t n = 0; n < 7; ++n) {
        std::vector<uint8_t> bytes(n);
        for (size_t i = 0; i < n; ++i)
            bytes[i] = uint8_t(0xF0 + i);
        auto back = PlistText::Base64Decode(PlistText::Base64Encode(bytes));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, bytes);
    }
    EXPECT_EQ(PlistText::Base64Encode({'M', 'a'}), "TWE=");
    EXPECT_FALSE(PlistText::Base64Decode("TWE=x"));
    EXPECT_FALSE(PlistText::Base64Decode("T"));
    EXPECT_EQ(PlistText::FormatDate(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(PlistText::FormatDate(-1), "1969-12-31T23:59:59Z");
    EXPECT_EQ(PlistText::FormatDate(951782400), "2000-02-29T00:00:00Z");
    EXPECT_EQ(PlistText::ParseDate("2000-02-29T00:00:00Z"), 951782400);
    EXPECT_FALSE(PlistText::ParseDate("2000-02-29 00:00:00Z"));
}
