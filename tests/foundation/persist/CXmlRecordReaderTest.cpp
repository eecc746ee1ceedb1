#include "foundation/persist/CXmlLexer.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/persist/XmlText.h"
#include "foundation/streams/CMemStream.h"
#include "tests/foundation/persist/XmlTestKit.h"
#include "tests/foundation/records/RecordTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

const auto no = LObject::Merge::No;
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// A stream over a document that delivers its first read cut after `first` bytes and every
// later read cut to at most `later` bytes, so the reader's blocks split the text anywhere.
class ChoppyStream : public LStream {
public:
    ChoppyStream(const std::string& text, uint64_t first, uint64_t later)
        : LStream(kReadOnly), fText(text), fFirst(first), fLater(later)
    {
    }
    void SetPosition(uint64_t p) override { position = p; }
    void SetEOF() override { SetError(kReadOnlyError); }
    void Write(const void*, uint64_t) override { SetError(kReadOnlyError); }
    void Read(void* buffer, uint64_t* count) override
    {
        // The first 3-byte read looks for a byte-order mark and is not cut.
        const uint64_t limit = *count == 3 ? 3 : (fReads++ == 0 ? fFirst : fLater);
        const uint64_t left = position < fText.size() ? fText.size() - position : 0;
        *count = std::min({*count, limit, left});
        std::memcpy(buffer, fText.data() + position, *count);
        position += *count;
    }

private:
    std::string fText;
    uint64_t fFirst;
    uint64_t fLater;
    int fReads = 0;
};

// Every field the format keeps, away from its default (line ends already LF; no fields
// after a record's first list or child, which the format does not store).
LObjectPtr MakeFullXml()
{
    LObjectPtr record = LObject::Create(XmlClass());
    LObject* r = record.get();
    LObject::SetString(r, nullptr, XmlF::txt, LStringRef(std::string(40, 'L') + "\nend & <more>"), no);
    LObject::SetInt(r, nullptr, XmlF::num, 12345, no);
    const uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    LObject::SetArray(r, nullptr, XmlF::hex, bytes, 4);
    LObject::SetFloat(r, nullptr, XmlF::flt, -0.5f, no);
    const LStringRef texts[] = {"x y", "", "q", "'lead", "say \"hi\"", "tab\there", "it's", "line\nbreak"};
    LObject::SetArray(r, nullptr, XmlF::strs, texts, 8);
    LObject::SetUInt(r, nullptr, XmlF::u, 4294967295u, no);
    for (int i = 0; i < 40; ++i) {
        LObjectPtr item = MakeItem(i, i % 3 ? "short \"text\"" : "a long multi-line text of the list item\nline 2");
        if (i % 5 == 0)
            (void)LObject::InsertChild(item.get(), nullptr, ItemF::subs, 0, MakeItem(100 + i, "sub"));
        (void)LObject::InsertChild(r, nullptr, XmlF::kids, uint32_t(i), std::move(item));
    }
    LObject::SetInt(r->GetChild(XmlF::one), nullptr, ItemF::val, 8, no);
    LObject::ReplaceChild(r, nullptr, XmlF::opt, MakeItem(0));
    return record;
}

// Reads the text into a fresh record; `found` and `complete` get what the reader reported.
LObjectPtr ReadBack(const std::string& text, bool* found = nullptr, bool* complete = nullptr)
{
    LObjectPtr record = LObject::Create(XmlClass());
    CMemStream stream(text.data(), uint32_t(text.size()));
    const bool ok = ReadRecordXml(stream, record.get(), complete);
    if (found)
        *found = ok;
    return record;
}

std::string ReadDump(const std::string& text, bool* found = nullptr, bool* complete = nullptr)
{
    return Dump(ReadBack(text, found, complete).get());
}

LObjectPtr ReadText(const std::string& text)
{
    LObjectPtr record = LObject::Create(XmlClass());
    EXPECT_TRUE(ReadXml(text, record.get())) << text;
    return record;
}

std::string Element(const std::string& attributes, const std::string& content = "")
{
    if (content.empty())
        return kDecl + "<TEST_XMLA " + attributes + "/>\n";
    return kDecl + "<TEST_XMLA " + attributes + ">" + content + "</TEST_XMLA>\n";
}

} // namespace

TEST(CXmlRecordReader, RoundTripsWhatTheWriterWritesHoweverTheBlocksSplitIt)
{
    LObjectPtr original = MakeFullXml();
    const std::string text = WriteXml(original.get());
    ASSERT_GT(text.size(), 2 * CXmlLexer::kBlockSize);
    bool found = false;
    bool complete = false;
    LObject::SetInt(original.get(), nullptr, XmlF::hidden, 0, no);
    const std::string expected = Dump(original.get());
    EXPECT_EQ(ReadDump(text, &found, &complete), expected);
    EXPECT_TRUE(found);
    EXPECT_TRUE(complete);
    const auto choppy = [&](uint64_t first, uint64_t later) {
        ChoppyStream stream(text, first, later);
        LObjectPtr record = LObject::Create(XmlClass());
        EXPECT_TRUE(ReadRecordXml(stream, record.get()));
        return Dump(record.get());
    };
    for (uint64_t first = 1; first <= CXmlLexer::kBlockSize + 1; ++first)
        ASSERT_EQ(choppy(first, CXmlLexer::kBlockSize), expected) << "first read of " << first << " bytes";
    for (uint64_t every : {1, 2, 3, 7, 9})
        ASSERT_EQ(choppy(every, every), expected) << "reads of " << every << " bytes";
}

TEST(CXmlRecordReader, FindsTheRootAfterOtherElementsAndResetsIt)
{
    LObjectPtr record = LObject::Create(XmlClass());
    LObject::SetInt(record.get(), nullptr, XmlF::late, 9, no);
    LObject::SetInt(record.get(), nullptr, XmlF::hidden, 9, no);
    const std::string text = kDecl + "<!-- x --><TEST_ITEM val=\"1\"><TEST_ITEM/></TEST_ITEM>"
                                     "<?pi <TEST_XMLA num=\"5\"/> ?><TEST_XMLA num=\"3\"/>";
    EXPECT_TRUE(ReadXml(text, record.get()));
    EXPECT_EQ(record->GetInt(XmlF::num), 3);
    EXPECT_EQ(record->GetInt(XmlF::late), 0);    // reset to its default
    EXPECT_EQ(record->GetInt(XmlF::hidden), 9);  // untagged: untouched

    EXPECT_FALSE(ReadXml(kDecl + "<TEST_ITEM/>", record.get()));
    EXPECT_FALSE(ReadXml(kDecl + "<ONE/><TEST_XMLA num=\"4\"/>", record.get()));
    EXPECT_FALSE(ReadXml("", record.get()));
    EXPECT_EQ(record->GetInt(XmlF::num), 3);
}

TEST(CXmlRecordReader, LineEndsEntitiesCdataAndComments)
{
    // Refused references (surrogates, beyond U+10FFFF, overflow, NUL, unknown, empty) read as a blank.
    const std::pair<std::string, std::string> cases[] = {
        {"txt=\"a&#13;&#10;b\"", "a\nb"}, {"txt=\"a\r\nb\"", "a\nb"}, {"txt=\"&#xE9;&#233;\"", "\xC3\xA9\xC3\xA9"},
        {"txt=\"&#x1F600;\"", "\xF0\x9F\x98\x80"}, {"txt=\"[&#xD800;]\"", "[ ]"}, {"txt=\"[&#x110000;]\"", "[ ]"},
        {"txt=\"[&#4294967363;]\"", "[ ]"}, {"txt=\"[&#x100000041;]\"", "[ ]"}, {"txt=\"[&#0;]\"", "[ ]"},
        {"txt=\"[&nbsp;&;]\"", "[  ]"}, {"txt=\"&lt;&gt;&amp;&quot;&apos;\"", "<>&\"'"},
    };
    for (const auto& [attribute, text] : cases)
        EXPECT_EQ(ReadText(Element(attribute))->GetString(XmlF::txt), text.c_str()) << attribute;
    EXPECT_EQ(ReadText(Element("", "<TEST_XMLA_txt>a\r\nb</TEST_XMLA_txt>"))->GetString(XmlF::txt), "a\r\nb");
    LObjectPtr r = ReadText(Element("", "<TEST_XMLA_txt>a<!-- gone --><![CDATA[<b> & ]]]>c</TEST_XMLA_txt>"));
    EXPECT_EQ(r->GetString(XmlF::txt), "a<b> & ]c");
}

TEST(CXmlRecordReader, ArrayFormsAndSkippingWhatItDoesNotKnow)
{
    const auto texts = [](const LObjectPtr& r) {
        std::vector<std::string> all;
        for (uint32_t i = 0; i < r->GetArrayCount(XmlF::strs); ++i)
            all.emplace_back(r->GetArrayString(XmlF::strs, i).View());
        return all;
    };
    LObjectPtr r = ReadText(Element("hex=\"01aBc\" strs=\"&quot;a &quot;&quot;b&quot;&quot;&quot; '' 'it''s' c\""));
    ASSERT_EQ(r->GetArrayCount(XmlF::hex), 2u);
    EXPECT_EQ(r->GetArrayInt(XmlF::hex, 1), 0xAB);
    EXPECT_EQ(texts(r), (std::vector<std::string>{"a \"b\"", "", "it's", "c"}));
    // An old file with an unquoted element that starts with an apostrophe still reads.
    EXPECT_EQ(texts(ReadText(Element("strs=\"'x y\""))), std::vector<std::string>{"x y"});

    const std::string text = kDecl + "<TEST_XMLA zzz=\"num=&quot;9&quot;\" num=\"\" u=\"7\">stray text"
                                      "<OTHER_THING a=\"b\"><TEST_XMLA_num>5</TEST_XMLA_num></OTHER_THING>"
                                      "<TEST_XMLA_nope>1</TEST_XMLA_nope>"
                                      "<TEST_XMLA_kids><TEST_XMLA/><TEST_ITEM val=\"1\"/><NOPE_NOPE/>"
                                      "<TEST_ITEM val=\"2\"/></TEST_XMLA_kids>"
                                      "<![CDATA[<TEST_XMLA_num>6</TEST_XMLA_num>]]></TEST_XMLA>";
    LObjectPtr s = ReadText(text);
    EXPECT_EQ(s->GetInt(XmlF::num), -1);  // an empty numeric attribute changes nothing
    EXPECT_EQ(s->GetUInt(XmlF::u), 7u);
    EXPECT_EQ(s->GetString(XmlF::txt), "");
    ASSERT_EQ(s->GetArrayCount(XmlF::kids), 2u);
    EXPECT_EQ(s->GetChild(XmlF::kids, 1)->GetInt(ItemF::val), 2);
}

TEST(CXmlRecordReader, ReportsTruncatedFilesAsFoundButIncomplete)
{
    const std::string text = WriteXml(MakeFullXml().get());
    // A NUL byte ends the input.
    const std::string withNul =
        kDecl + "<TEST_XMLA num=\"3\">" + std::string(1, '\0') + "<TEST_XMLA_txt>x</TEST_XMLA_txt></TEST_XMLA>";
    for (const std::string& cut : {text.substr(0, 60), text.substr(0, text.size() / 2),
                                   text.substr(0, text.size() - 3), withNul}) {
        bool found = false;
        bool complete = true;
        LObjectPtr r = ReadBack(cut, &found, &complete);
        EXPECT_TRUE(found) << cut.size();
        EXPECT_FALSE(complete) << cut.size();
        if (cut == withNul) {
            EXPECT_EQ(Dump(r.get()), Dump(ReadText(Element("num=\"3\"")).get()));
        }
    }
}

TEST(CXmlRecordReader, DeepNestingIsSkippedNotRecursed)
{
    std::string text = kDecl + "<TEST_XMLA><TEST_XMLA_kids>";
    const int depth = 20000;
    for (int i = 0; i < depth; ++i)
        text += "<TEST_ITEM val=\"1\"><TEST_ITEM_subs>";
    for (int i = 0; i < depth; ++i)
        text += "</TEST_ITEM_subs></TEST_ITEM>";
    text += "</TEST_XMLA_kids></TEST_XMLA>";
    bool found = false;
    bool complete = false;
    LObjectPtr r = ReadBack(text, &found, &complete);
    EXPECT_TRUE(found);
    EXPECT_TRUE(complete);
    int levels = 0;
    for (const LObject* at = r->GetChild(XmlF::kids, 0); at; at = at->GetChild(ItemF::subs, 0))
        levels++;
    EXPECT_GE(levels, 200);
    EXPECT_LE(levels, 256);
}

TEST(CXmlRecordReader, SurvivesRandomDamage)
{
    const std::string good = WriteXml(MakeFullXml().get());
    std::mt19937 random(7);
    const char specials[] = "<>/=\"'&;![]?-_ \r\n#x";
    for (int round = 0; round < 1500; ++round) {
        std::string text = good;
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const size_t at = random() % text.size();
            switch (random() % 4) {
            case 0: text[at] = char(random()); break;
            case 1: text.erase(at, 1 + random() % 32); break;
            case 2: text.insert(at, 1, specials[random() % (sizeof specials - 1)]); break;
            default: text.insert(at, text.substr(random() % text.size(), random() % 64)); break;
            }
        }
        bool complete = false;
        (void)ReadBack(text, nullptr, &complete);
    }
}

TEST(XmlText, ElementNamesAndHelpers)
{
    uint32_t codes[3] = {};
    EXPECT_EQ(SplitElementName("YUND_PRMS_prms", codes), 3u);
    EXPECT_EQ(codes[2], FourCC("prms"));
    EXPECT_EQ(SplitElementName("TEST_i", codes), 2u);
    EXPECT_EQ(codes[1], FourCC("i   "));
    EXPECT_EQ(std::pair(SplitElementName("A_B_C_D", codes), SplitElementName("plain", codes)), std::pair(3u, 1u));
    EXPECT_EQ(std::pair(HexDigitValue('F'), HexDigitValue('g')), std::pair(15, -1));
    std::string out;
    for (uint32_t code : {0x7Fu, 0x80u, 0xFFFFu, 0x10FFFFu})
        EXPECT_TRUE(EncodeUtf8(out, code)) << code;
    EXPECT_FALSE(EncodeUtf8(out, 0xDFFF));
    EXPECT_EQ(out, "\x7F\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF");
}
