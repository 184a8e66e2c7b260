// Value labels: the port label they replace while monitoring, the value text
// and its colours, copies, and storage as a plain text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/ConfGraphIOParameter.h"
#include "diagram/FakeDrawingView.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"

namespace {

// Remembers where each repainted object was at the time of the request.
class CRecordingView : public CFakeDrawingView {
public:
    void InvalidateObject(CDrawingObject* object) override {
        CFakeDrawingView::InvalidateObject(object);
        m_rects.push_back(object->GetRect());
    }
    std::vector<CRect> m_rects;
};

std::unique_ptr<CDrawText> MakePortLabel(const std::string& text) {
    auto label = std::make_unique<CDrawText>(CRect(40, 60, 52, 74), text);
    LOGFONT font = label->GetLogFont();
    font.lfHeight = -11;
    font.lfWeight = FW_BOLD;
    label->SetLogFont(font);
    label->SetRect(CRect(40, 60, 52, 74));
    label->SetFormat(DT_CENTER | DT_VCENTER);
    label->SetTextColors(RGB(0, 0, 0), RGB(250, 240, 200));
    label->SetLoop(3);
    return label;
}

TEST(ValueLabel, TakesThePortLabelsLookAndKeepsItsOwnCopy) {
    const std::unique_ptr<CDrawText> port = MakePortLabel("A");
    CConfGraphIOParameter label(*port, 1);

    EXPECT_EQ(label.GetText(), "A");
    EXPECT_EQ(label.GetRect(), port->GetRect());
    EXPECT_EQ(label.GetFormat(), static_cast<unsigned>(DT_CENTER | DT_VCENTER));
    EXPECT_EQ(label.GetLogFont().lfHeight, -11);
    EXPECT_EQ(label.GetLogFont().lfWeight, FW_BOLD);
    EXPECT_EQ(label.GetBackColor(), RGB(250, 240, 200));
    EXPECT_EQ(label.GetTextColor(), RGB(0, 0, 255));
    EXPECT_EQ(label.GetSavedShow(), 1);
    ASSERT_NE(label.GetPortLabel(), nullptr);
    EXPECT_NE(label.GetPortLabel(), port.get());
    EXPECT_EQ(label.GetPortLabel()->GetTextColor(), RGB(0, 0, 0));

    // A copy carries a port label of its own.
    label.SetOnlineValue(nullptr, "42");
    std::unique_ptr<CDrawingObject> copy = label.Clone();
    auto* clone = dynamic_cast<CConfGraphIOParameter*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetText(), "A=42");
    EXPECT_EQ(clone->GetSavedShow(), 1);
    ASSERT_NE(clone->GetPortLabel(), nullptr);
    EXPECT_NE(clone->GetPortLabel(), label.GetPortLabel());
    EXPECT_TRUE(clone->TakePortLabel());
    EXPECT_NE(label.GetPortLabel(), nullptr);

    // The copy is handed back once, with the port text as it was.
    std::unique_ptr<CDrawText> back = label.TakePortLabel();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetText(), "A");
    EXPECT_EQ(back->GetRect(), port->GetRect());
    EXPECT_EQ(label.GetPortLabel(), nullptr);
    EXPECT_FALSE(label.TakePortLabel());
    EXPECT_EQ(static_cast<CConfGraphIOParameter*>(label.Clone().get())->GetPortLabel(), nullptr);
}

TEST(ValueLabel, OnlineValueFollowsThePortTextAndColoursByPresence) {
    const std::unique_ptr<CDrawText> port = MakePortLabel("A");
    CConfGraphIOParameter label(*port, 0);
    CRecordingView view;

    label.SetOnlineValue(&view, "12.34%");
    EXPECT_EQ(label.GetText(), "A=12.34%");
    EXPECT_EQ(label.GetTextColor(), RGB(0, 100, 10));
    EXPECT_EQ(label.GetRect(), label.CalcTextRect());
    EXPECT_EQ(label.GetRect().TopLeft(), CPoint(40, 60));
    // Repainted where it was and where it is now.
    EXPECT_EQ(view.m_invalidated, (std::vector<CDrawingObject*>{&label, &label}));
    EXPECT_EQ(view.m_rects, (std::vector<CRect>{port->GetRect(), label.GetRect()}));

    // Each value replaces the previous one rather than adding to it.
    label.SetOnlineValue(&view, "7");
    EXPECT_EQ(label.GetText(), "A=7");
    label.SetOnlineValue(&view, "");
    EXPECT_EQ(label.GetText(), "A=");
    EXPECT_EQ(label.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(label.GetPortLabel()->GetText(), "A");

    // Without a port label copy the value still shows.
    (void)label.TakePortLabel();
    label.SetOnlineValue(nullptr, "1");
    EXPECT_EQ(label.GetText(), "=1");
}

TEST(ValueLabel, StoredAsATextOfSchemaZeroWithoutBackgroundMode) {
    const std::unique_ptr<CDrawText> port = MakePortLabel("C");
    CConfGraphIOParameter label(*port, 1);
    label.SetOnlineValue(nullptr, "9");
    CArchive out;
    out.WriteObject(&label);

    // Class record, then the common part with the loop straight after the
    // brush, then the text part.
    CArchive in(out.GetBuffer());
    EXPECT_EQ(in.ReadUInt16(), 0xFFFF);
    EXPECT_EQ(in.ReadUInt16(), 0);
    std::string name(in.ReadUInt16(), '\0');
    in.Read(name.data(), name.size());
    EXPECT_EQ(name, "CConfGraphIOParameter");
    std::vector<uint8_t> skip(16 + 2 + 16 + 2 + 12);
    in.Read(skip.data(), skip.size());
    EXPECT_EQ(in.ReadInt32(), 3);
    EXPECT_EQ(in.ReadInt32(), 0);
    EXPECT_EQ(in.ReadString(), "C=9");
    EXPECT_EQ(in.ReadUInt32(), static_cast<uint32_t>(DT_CENTER | DT_VCENTER));
    skip.resize(60);
    in.Read(skip.data(), skip.size());
    EXPECT_EQ(in.ReadUInt32(), RGB(250, 240, 200));
    EXPECT_EQ(in.ReadUInt32(), RGB(0, 100, 10));
    EXPECT_EQ(in.GetRemaining(), 0u);

    CArchive again(out.GetBuffer());
    std::unique_ptr<CConfGraphIOParameter> loaded = again.ReadOwned<CConfGraphIOParameter>();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetSchema(), 0);
    EXPECT_EQ(loaded->GetText(), "C=9");
    EXPECT_EQ(loaded->GetRect(), label.GetRect());
    EXPECT_EQ(loaded->GetPortLabel(), nullptr);
    CArchive restored;
    restored.WriteObject(loaded.get());
    EXPECT_EQ(restored.GetBuffer(), out.GetBuffer());
}

}  // namespace
