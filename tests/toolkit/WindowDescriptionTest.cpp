#include "toolkit/WindowDescription.h"
#include "base/Exception.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"

#include <QWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const char* const Sample = R"(object Form1: TForm1
  Caption = 'It''s a ' +
    'window'
  // comment lines are skipped
  Font.Style = [fsBold,fsItalic]
  Scale = -1.5e3
  object Panel: TPanel
    Left = 8
    Visible = True
    object Inner: TLabel
      Caption = ''
      Kind = tkLine
    end
  end
  object Other: TButton
    Mode = []
  end
end
)";

std::string ParseError(const QString& text) {
    try {
        ParseWindowDescription(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(WindowDescription, ParsesNestingAndEveryValueKindInOrder) {
    const TDescObject root = ParseWindowDescription(QString::fromLatin1(Sample));
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.ClassName, "TForm1");
    ASSERT_EQ(root.Properties.size(), 3u);
    EXPECT_EQ(root.Properties[0], (TDescProperty{"Caption", "'It''s a window'", 2}));
    EXPECT_EQ(DescString(root.Properties[0].Value), "It's a window");
    EXPECT_EQ(root.Properties[1], (TDescProperty{"Font.Style", "[fsBold, fsItalic]", 5}));
    EXPECT_EQ(DescFloat(root.Properties[2].Value), -1500.0);
    ASSERT_EQ(root.Children.size(), 2u);
    const TDescObject& panel = root.Children[0];
    EXPECT_EQ(panel.Name, "Panel");
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_EQ(panel.Children[0].ClassName, "TLabel");
    EXPECT_EQ(DescString(panel.Children[0].Properties[0].Value), "");
    EXPECT_EQ(DescIdent(panel.Children[0].Properties[1].Value), "tkLine");
    EXPECT_TRUE(DescSet(root.Children[1].Properties[0].Value).isEmpty());
}

TEST(WindowDescription, WrittenTextParsesBackToTheSameTree) {
    const TDescObject root = ParseWindowDescription(QString::fromLatin1(Sample));
    TDescObject again = ParseWindowDescription(WriteWindowDescription(root));
    // Line numbers differ; everything else must not.
    auto clearLines = [](auto& self, TDescObject& o) -> void {
        o.Line = 0;
        for (auto& p : o.Properties)
            p.Line = 0;
        for (auto& c : o.Children)
            self(self, c);
    };
    TDescObject expected = root;
    clearLines(clearLines, expected);
    clearLines(clearLines, again);
    EXPECT_EQ(again, expected);
}

TEST(WindowDescription, SyntaxErrorsNameTheLine) {
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"", "line 1: no object"},
        {"end", "line 1: \"end\" without an object"},
        {"object A: TA\n  Left = 1\n", "line 1: \"end\" missing for object A"},
        {"object A: TA\n  Left = 1 2\nend", "line 2: bad value"},
        {"object A: TA\n  Caption = 'open\nend", "line 2: unterminated string"},
        {"object A: TA\n  Caption = 'a' 'b'\nend", "line 2: unexpected text after a string"},
        {"object A: TA\n  Caption = 'a' +\nend", "line 3: string continuation expected"},
        {"object A: TA\n  Caption = 'a' +", "string continuation expected"},
        {"object A: TA\n  Style = [a b]\nend", "line 2: bad set member"},
        {"object A: TA\n  Style = [a\nend", "line 2: a set [a, b] expected"},
        {"Left = 1", "line 1: property outside an object"},
        {"object A: TA\nend\nobject B: TB\nend", "line 3: text after the end"},
        {"object A: TA\n  1x = 2\nend", "line 2: bad property name"},
        {"object A: TA\n  = 2\nend", "line 2: bad property name"},
        {"object A: TA\n  Left =\nend", "line 2: value missing"},
        {"object A: TA\n  what is this\nend", "line 2: \"object\", \"end\" or"},
        {"object 1A: TA\nend", "line 1: bad object name"},
    };
    for (const auto& c : cases)
        EXPECT_THAT(ParseError(QString::fromLatin1(c.Text)), HasSubstr(c.Message)) << c.Text;
}

// Texts with line breaks and other control characters, as a program may set
// them on a control, are written so that they read back unchanged; the
// character codes that carry them are read in every place a string may stand.
TEST(WindowDescription, ControlCharactersInTextsReadBackUnchanged) {
    for (const QString& text :
         {QStringLiteral("first line\nsecond line"), QStringLiteral("a\r\nb"), QStringLiteral("\n"),
          QStringLiteral("ends with\n"), QStringLiteral("\tit's\n'quoted'"),
          QStringLiteral("bell\x07 and nul ") + QChar(0), QString()}) {
        TDescObject root{"Form1", "TForm1", 0, {{"Caption", DescQuote(text), 0}}, {}};
        const QString written = WriteWindowDescription(root);
        const TDescObject parsed = ParseWindowDescription(written);
        ASSERT_EQ(parsed.Properties.size(), 1u) << written.toStdString();
        EXPECT_EQ(DescString(parsed.Properties[0].Value), text) << written.toStdString();
    }
    const struct {
        const char* Value;
        const char* Text;
    } read[] = {
        {"'one'#13#10'two'", "one\r\ntwo"},
        {"#10", "\n"},
        {"#9'x'", "\tx"},
        {"'a'#0010", "a\n"},
        {"'a'#65", "aA"},
        {"'x' +\n    #10'y'", "x\ny"},
        // A hash inside quotes is an ordinary character, as it always was.
        {"'#10 stays'", "#10 stays"},
    };
    for (const auto& r : read) {
        const TDescObject parsed =
            ParseWindowDescription(QStringLiteral("object A: TA\n  Caption = %1\nend\n")
                                       .arg(QString::fromLatin1(r.Value)));
        EXPECT_EQ(DescString(parsed.Properties.at(0).Value), QString::fromLatin1(r.Text))
            << r.Value;
    }
    for (const char* bad : {"'a'#", "#x", "'a'#65536", "'a'#10 'b'", "'a' #10"})
        EXPECT_THAT(ParseError(QStringLiteral("object A: TA\n  Caption = %1\nend\n")
                                   .arg(QString::fromLatin1(bad))),
                    HasSubstr("line 2: "))
            << bad;
}

TEST(WindowDescription, DeepNestingIsRejectedNotRecursed) {
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral("object A%1: TA\n").arg(i);
    EXPECT_THAT(ParseError(text), HasSubstr("nested deeper than 32"));
    QString allowed;
    for (int i = 0; i < MaxDescNesting; ++i)
        allowed += QStringLiteral("object A%1: TA\n").arg(i);
    for (int i = 0; i < MaxDescNesting; ++i)
        allowed += QStringLiteral("end\n");
    EXPECT_EQ(ParseError(allowed), "no error");
}

TEST(WindowDescription, MutatedInputEitherParsesOrRaisesException) {
    const QByteArray sample(Sample);
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        QByteArray text = sample;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(random() % text.size());
            switch (random() % 3) {
            case 0:
                text[at] = static_cast<char>(random() % 256);
                break;
            case 1:
                text.remove(at, 1 + static_cast<qsizetype>(random() % 8));
                break;
            default:
                text.insert(at, "'[=+\n"[random() % 5]);
            }
            if (text.isEmpty())
                text = "x";
        }
        try {
            const TDescObject root = ParseWindowDescription(QString::fromLatin1(text));
            ParseWindowDescription(WriteWindowDescription(root));
        } catch (const Exception&) {
        }
    }
}

TEST(WindowDescription, ValueHelpersAcceptTheirKindAndRejectOthers) {
    EXPECT_EQ(DescInt("-11"), -11);
    EXPECT_EQ(DescInt("+7"), 7);
    EXPECT_DOUBLE_EQ(DescFloat("12"), 12.0);
    EXPECT_DOUBLE_EQ(DescFloat(".5"), 0.5);
    EXPECT_TRUE(DescBool("True"));
    EXPECT_FALSE(DescBool("false"));
    EXPECT_EQ(DescString("'a''b'"), "a'b");
    EXPECT_THAT(DescSet("[fsBold, fsItalic]"), ElementsAre("fsBold", "fsItalic"));
    EXPECT_EQ(DescIdent("clBtnFace"), "clBtnFace");
    for (const char* bad : {"1.5", "99999999999", "x", "'1'", ""})
        EXPECT_THROW(DescInt(bad), Exception) << bad;
    for (const char* bad : {"nan", "inf", "1e999", "1,5"})
        EXPECT_THROW(DescFloat(bad), Exception) << bad;
    EXPECT_THROW(DescBool("1"), Exception);
    EXPECT_THROW(DescString("abc"), Exception);
    EXPECT_THROW(DescString("'a' +"), Exception);
    EXPECT_THROW(DescIdent("'a'"), Exception);
    EXPECT_THROW(DescSet("fsBold"), Exception);
    for (const double value : {0.1, -1500.0, 1e300, 5e-324, 2.0 / 3.0})
        EXPECT_EQ(DescFloat(DescFormatFloat(value)), value);
}

namespace {

// A component of another library, taking its own properties.
class TRecorder : public QWidget, public IDescLoadable {
public:
    using QWidget::QWidget;
    std::vector<QString> Calls;
    void BeginLoading() override { Calls.push_back("begin"); }
    void SetDescProperty(const QString& name, const QString& value) override {
        Calls.push_back(name + "=" + value);
    }
    void Loaded() override { Calls.push_back("loaded"); }
};

std::string LoadError(const char* text, const TDescEventHandlers& handlers = {}) {
    QWidget form;
    try {
        LoadWindowDescription(&form, ParseWindowDescription(QString::fromLatin1(text)), handlers);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "no error";
}

} // namespace

TEST(WindowDescription, LoaderCreatesRegisteredClassesAndBindsEvents) {
    RegisterComponentClass("TRecorder", [](QWidget* parent) { return new TRecorder(parent); });
    const char* text = R"(object Form1: TForm1
  ClientWidth = 300
  ClientHeight = 200
  BorderStyle = bsDialog
  Font.Height = -11
  Font.Name = 'Tahoma'
  OnCreate = Created
  object Rec: TRecorder
    Left = 5
    Top = 6
    Caption = 'x'
  end
  object Caption1: TLabel
    Left = 10
    Top = 20
    Width = 500
    Caption = 'File name'
    Font.Height = -13
    Font.Style = [fsBold]
  end
  object Third: TButton
    TabOrder = 2
  end
  object Second: TButton
    Left = 1
    Top = 2
    Width = 30
    Height = 40
    TabOrder = 1
    OnClick = Clicked
  end
  object First: TButton
    Enabled = False
    TabOrder = 0
  end
end
)";
    QWidget form;
    int clicks = 0;
    int created = 0;
    const TDescEventHandler onCreate =
        LoadWindowDescription(&form, ParseWindowDescription(QString::fromLatin1(text)),
                              {{"Clicked", [&] { ++clicks; }}, {"Created", [&] { ++created; }}});
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);

    auto* rec = form.findChild<TRecorder*>("Rec");
    ASSERT_NE(rec, nullptr);
    EXPECT_THAT(rec->Calls, ElementsAre("begin", "Left=5", "Top=6", "Caption='x'", "loaded"));

    auto* label = form.findChild<TLabel*>("Caption1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pos(), QPoint(10, 20));
    EXPECT_EQ(label->font().pixelSize(), 13);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().family(), "Tahoma");
    EXPECT_EQ(label->width(), QFontMetrics(label->font()).horizontalAdvance("File name"));

    auto* second = form.findChild<TButton*>("Second");
    auto* first = form.findChild<TButton*>("First");
    EXPECT_EQ(second->geometry(), QRect(1, 2, 30, 40));
    EXPECT_FALSE(first->isEnabled());
    // The focus chain is a ring; what matters is which tab stop follows which.
    auto nextTabStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    EXPECT_EQ(nextTabStop(first), second);
    EXPECT_EQ(nextTabStop(second), form.findChild<TButton*>("Third"));
    second->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(created, 0); // returned, not called
    ASSERT_TRUE(onCreate);
    onCreate();
    EXPECT_EQ(created, 1);
}

TEST(WindowDescription, LoaderErrorsNameTheLine) {
    EXPECT_THAT(LoadError("object F: TF\n  object A: TNoSuchClass\n  end\nend"),
                HasSubstr("line 2: unknown component class TNoSuchClass"));
    EXPECT_THAT(LoadError("object F: TF\n  object A: TButton\n    Wobble = 1\n  end\nend"),
                HasSubstr("line 3: TButton has no property Wobble"));
    EXPECT_THAT(LoadError("object F: TF\n  object A: TButton\n    Left = 'x'\n  end\nend"),
                HasSubstr("line 3: A.Left: an integer expected"));
    EXPECT_THAT(LoadError("object F: TF\n  object A: TButton\n    OnClick = Nowhere\n  end\nend"),
                HasSubstr("line 3: no event handler Nowhere"));
    EXPECT_THAT(
        LoadError("object F: TF\n  object A: TLabel\n    OnClick = H\n  end\nend", {{"H", [] {}}}),
        HasSubstr("line 3: A has no event OnClick"));
    EXPECT_THAT(
        LoadError("object F: TF\n  object A: TLabel\n  end\n  object A: TLabel\n  end\nend"),
        HasSubstr("line 4: duplicate component name A"));
    EXPECT_THAT(LoadError("object F: TF\n  Color = clPurpleHaze\nend"),
                HasSubstr("line 2: Color: unknown colour"));
}
