// Storage of the drawing objects: the stored layout of each class, the rules
// for old and odd stored values, and refusal of damaged data.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "DrawingBytes.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawRoundRect.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGroup.h"
#include "diagram/DrawingTemplate.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"
#include "support/ByteWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes StoreObject(const CObject& object) {
    CArchive ar;
    ar.WriteObject(&object);
    return ar.GetBuffer();
}

Bytes StoreBody(CDrawingObject& object) {
    CArchive ar;
    object.Serialize(ar);
    return ar.GetBuffer();
}

template <class T>
std::unique_ptr<T> LoadObject(const Bytes& bytes) {
    CArchive ar(bytes);
    std::unique_ptr<T> object = ar.ReadOwned<T>();
    EXPECT_EQ(ar.GetRemaining(), 0u);
    return object;
}

Bytes Tail(const Bytes& bytes, std::size_t from) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

// Class record of a class with schema 2 and the 60-byte common part.
std::size_t HeaderAndCommonSize(const std::string& className) {
    return 6 + className.size() + 60;
}

TEST(DrawingObjectStorage, CommonPartIsLaidOutFieldByField) {
    CDrawRectangle rect(CRect(1, 2, 30, 40));
    rect.SetPen(false);
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(2, 2);
    pen.lopnColor = RGB(1, 2, 3);
    rect.SetLogPen(pen);
    rect.SetLogBrush(LOGBRUSH{BS_HATCHED, RGB(4, 5, 6), HS_CROSS});
    rect.SetBkMode(2);
    rect.SetLoop(3);
    const XFORM turn{0.0f, 1.0f, -1.0f, 0.0f, 5.0f, 6.0f};
    rect.AddTransformation(&turn);

    const Bytes expected = {
        0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // left, top
        0x1E, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00,  // right, bottom
        0x00, 0x00,                                      // pen off
        0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // PS_SOLID, width x
        0x02, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x00,  // width y, colour
        0x01, 0x00,                                      // brush on
        0x02, 0x00, 0x00, 0x00, 0x04, 0x05, 0x06, 0x00,  // BS_HATCHED, colour
        0x04, 0x00, 0x00, 0x00,                          // HS_CROSS
        0x02, 0x00, 0x00, 0x00,                          // opaque background
        0x03, 0x00, 0x00, 0x00,                          // loop
        0x01, 0x00, 0x00, 0x00,                          // one transformation
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  // 0.0, 1.0
        0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x00, 0x00,  // -1.0, 0.0
        0x00, 0x00, 0xA0, 0x40, 0x00, 0x00, 0xC0, 0x40,  // 5.0, 6.0
    };
    EXPECT_EQ(StoreBody(rect), expected);

    CArchive in(expected);
    CDrawRectangle loaded;
    loaded.Serialize(in);
    EXPECT_EQ(StoreBody(loaded), expected);
    ASSERT_EQ(loaded.GetTransformations().size(), 1u);
    EXPECT_EQ(loaded.GetTransformations()[0].GetXForm(), turn);
}

TEST(DrawingObjectStorage, EachClassAddsItsOwnPartAfterTheCommonPart) {
    // Shapes without data of their own.
    for (const auto& [name, object] :
         std::vector<std::pair<std::string, std::shared_ptr<CDrawingObject>>>{
             {"CDrawLine", std::make_shared<CDrawLine>(CPoint(5, 5), CPoint(1, 1))},
             {"CDrawRectangle", std::make_shared<CDrawRectangle>(CRect(1, 1, 5, 5))},
             {"CDrawEllipse", std::make_shared<CDrawEllipse>(CRect(1, 1, 5, 5))},
             {"CDrawingObject", std::make_shared<CDrawingObject>(CRect(1, 1, 5, 5))}}) {
        const Bytes bytes = StoreObject(*object);
        const Bytes header = CByteWriter().ClassRecord(name, 2).Get();
        ASSERT_GE(bytes.size(), header.size()) << name;
        EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin())) << name;
        EXPECT_EQ(bytes.size(), HeaderAndCommonSize(name)) << name;
    }

    const CPoint points[] = {{1, 2}, {30, 2}, {15, 40}};
    CDrawPolyline polygon(points, 3, true);
    EXPECT_EQ(Tail(StoreObject(polygon), HeaderAndCommonSize("CDrawPolyline")),
              CByteWriter().U8(1).I32s({3, 1, 2, 30, 2, 15, 40}).Get());

    CDrawRoundRect round(CRect(0, 0, 40, 40));
    round.SetRoundness(CPoint(12, 8));
    EXPECT_EQ(Tail(StoreObject(round), HeaderAndCommonSize("CDrawRoundRect")),
              CByteWriter().I32(12).I32(8).Get());

    CDrawText text(CRect(0, 0, 40, 20), "Hello");
    text.SetFormat(DT_RIGHT | DT_SINGLELINE);
    text.SetTextColor(RGB(0x10, 0x20, 0x30));
    CByteWriter font;
    font.I32s({-14, 0, 0, 0, 400});
    font.U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(2).U8(2).Raw("Arial");
    for (int i = 0; i < 27; ++i) {
        font.U8(0);
    }
    CByteWriter textTail;
    textTail.U8(5).Raw("Hello").I32(0x22);
    const Bytes fontBytes = font.Get();
    for (uint8_t b : fontBytes) {
        textTail.U8(b);
    }
    textTail.I32(0x00FFFFFF).I32(0x00302010);
    EXPECT_EQ(fontBytes.size(), 60u);
    EXPECT_EQ(Tail(StoreObject(text), HeaderAndCommonSize("CDrawText")), textTail.Get());

    // Members follow as objects: the first rectangle brings its class record,
    // the second refers to it by class index 3 (group class 1, group 2, class 3).
    for (const std::string name : {"CDrawingGroup", "CDrawingTemplate"}) {
        std::unique_ptr<CDrawingGroup> group;
        if (name == "CDrawingGroup") {
            group = std::make_unique<CDrawingGroup>();
        } else {
            group = std::make_unique<CDrawingTemplate>();
        }
        group->AddObject(std::make_unique<CDrawRectangle>(CRect(1, 1, 5, 5)), true);
        group->AddObject(std::make_unique<CDrawRectangle>(CRect(2, 2, 6, 6)), true);
        const Bytes tail = Tail(StoreObject(*group), HeaderAndCommonSize(name));
        const std::size_t first = 2 + HeaderAndCommonSize("CDrawRectangle");
        ASSERT_EQ(tail.size(), first + 2 + 60) << name;
        EXPECT_EQ(Bytes(tail.begin(), tail.begin() + 4), (Bytes{0x02, 0x00, 0xFF, 0xFF})) << name;
        EXPECT_EQ(Bytes(tail.begin() + first, tail.begin() + first + 2), (Bytes{0x03, 0x80}))
            << name;
    }
}

TEST(DrawingObjectStorage, SchemaOneObjectsHaveNoBackgroundMode) {
    const Bytes old = CByteWriter()
                          .ClassRecord("CDrawRectangle", 1)
                          .Append(DrawingCommonPart(1, 1, 0, 4, 0))
                          .Get();
    std::unique_ptr<CDrawRectangle> rect = LoadObject<CDrawRectangle>(old);
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->GetSchema(), 1);
    EXPECT_EQ(rect->GetBkMode(), 1);
    EXPECT_EQ(rect->GetLoop(), 4);
    EXPECT_EQ(rect->GetRect(), CRect(0, 0, 20, 10));

    // Stored again it is written as the current schema and reads back the same.
    std::unique_ptr<CDrawRectangle> again = LoadObject<CDrawRectangle>(StoreObject(*rect));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->GetSchema(), 2);
    EXPECT_EQ(again->GetLoop(), 4);
    EXPECT_EQ(again->GetBkMode(), 1);

    const Bytes current = CByteWriter()
                              .ClassRecord("CDrawRectangle", 2)
                              .Append(DrawingCommonPart(1, 1, 2, 4, 0))
                              .Get();
    EXPECT_EQ(LoadObject<CDrawRectangle>(current)->GetBkMode(), 2);
}

TEST(DrawingObjectStorage, FlagsOtherThanOneLoadAsFalse) {
    for (int stored : {0, 2, 0xFFFF}) {
        const Bytes bytes = CByteWriter()
                                .ClassRecord("CDrawEllipse", 2)
                                .Append(DrawingCommonPart(stored, stored, 2, 0, 0))
                                .Get();
        std::unique_ptr<CDrawEllipse> ellipse = LoadObject<CDrawEllipse>(bytes);
        EXPECT_FALSE(ellipse->HasLine()) << stored;
        EXPECT_FALSE(ellipse->HasFill()) << stored;
    }
    const Bytes on =
        CByteWriter().ClassRecord("CDrawEllipse", 2).Append(DrawingCommonPart(1, 1, 2, 0, 0)).Get();
    EXPECT_TRUE(LoadObject<CDrawEllipse>(on)->HasLine());
    EXPECT_TRUE(LoadObject<CDrawEllipse>(on)->HasFill());
}

TEST(DrawingObjectStorage, PolylineIsFilledOnlyWhenClosedAndStoredFilled) {
    struct Case {
        uint8_t closed;
        int brush;
        bool filled;
    };
    for (const Case& c : {Case{1, 1, true}, Case{1, 0, false}, Case{0, 1, false}}) {
        CByteWriter bytes;
        bytes.ClassRecord("CDrawPolyline", 2).Append(DrawingCommonPart(1, c.brush, 2, 0, 0));
        bytes.U8(c.closed).I32s({2, 0, 0, 20, 10});
        std::unique_ptr<CDrawPolyline> polyline = LoadObject<CDrawPolyline>(bytes.Get());
        EXPECT_EQ(polyline->HasFill(), c.filled) << int(c.closed) << c.brush;
        EXPECT_EQ(polyline->IsClosed(), c.closed == 1);
        EXPECT_EQ(polyline->GetPointCount(), 2);
        EXPECT_EQ(polyline->GetLastPoint(), CPoint(20, 10));
    }
}

TEST(DrawingObjectStorage, EveryClassRoundTripsInsideNestedGroups) {
    auto inner = std::make_unique<CDrawingGroup>();
    inner->AddObject(std::make_unique<CDrawText>(CRect(5, 5, 60, 20), "inner"), true);
    inner->AddObject(std::make_unique<CDrawEllipse>(CRect(0, 0, 10, 10)), true);

    auto outer = std::make_unique<CDrawingGroup>();
    outer->AddObject(std::make_unique<CDrawLine>(CPoint(100, 100), CPoint(0, 50)), true);
    const CPoint points[] = {{0, 0}, {40, 0}, {40, 30}, {0, 30}};
    outer->AddObject(std::make_unique<CDrawPolyline>(points, 4, true), true);
    auto round = std::make_unique<CDrawRoundRect>(CRect(10, 10, 50, 40));
    round->SetRoundness(CPoint(6, 4));
    round->SetRotationAngle(30.0);
    outer->AddObject(std::move(round), true);
    outer->AddObject(std::move(inner), true);
    auto templ = std::make_unique<CDrawingTemplate>();
    templ->AddObject(std::make_unique<CDrawRectangle>(CRect(1, 2, 3, 4)), true);
    outer->AddObject(std::move(templ), true);
    outer->SetLoop(2);

    const Bytes stored = StoreObject(*outer);
    std::unique_ptr<CDrawingGroup> loaded = LoadObject<CDrawingGroup>(stored);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(StoreObject(*loaded), stored);

    ASSERT_EQ(loaded->GetObjectCount(), 5);
    EXPECT_EQ(loaded->GetLoop(), 2);
    EXPECT_EQ(loaded->GetRect(), outer->GetRect());
    const char* classes[] = {"CDrawLine", "CDrawPolyline", "CDrawRoundRect", "CDrawingGroup",
                             "CDrawingTemplate"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(loaded->GetObjectAt(i)->GetRuntimeClass()->m_lpszClassName, classes[i]);
    }
    EXPECT_EQ(loaded->GetObjectAt(0)->GetRect(), CRect(100, 100, 0, 50));
    auto* loadedRound = static_cast<CDrawRoundRect*>(loaded->GetObjectAt(2));
    EXPECT_EQ(loadedRound->GetRoundness(), CPoint(6, 4));
    EXPECT_EQ(loadedRound->GetTransformations().size(), 1u);
    auto* loadedInner = static_cast<CDrawingGroup*>(loaded->GetObjectAt(3));
    ASSERT_EQ(loadedInner->GetObjectCount(), 2);
    EXPECT_EQ(static_cast<CDrawText*>(loadedInner->GetObjectAt(0))->GetText(), "inner");
    EXPECT_EQ(loaded->GetObjectAt(4)->GetListKind(), CDrawingItem::LIST_TEMPLATES);
}

TEST(DrawingObjectStorage, DocumentListsKeepTheirDrawingObjects) {
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    doc.AddDrawingObject(std::make_unique<CDrawEllipse>(CRect(0, 0, 30, 30)));
    auto templ = std::make_unique<CDrawingTemplate>();
    templ->AddObject(std::make_unique<CDrawText>(CRect(0, 0, 50, 20), "T"), true);
    doc.InsertDrawingObject(0, std::move(templ));

    CArchive out;
    out.m_pDocument = &doc;
    doc.Serialize(out);

    CConfDoc loaded;
    CArchive in(out.GetBuffer());
    in.m_pDocument = &loaded;
    loaded.Serialize(in);
    ASSERT_EQ(loaded.GetObjects().size(), 1u);
    ASSERT_EQ(loaded.GetTemplates().size(), 1u);
    EXPECT_TRUE(loaded.GetObjects()[0]->IsKindOf(RUNTIME_CLASS(CDrawEllipse)));
    EXPECT_EQ(loaded.GetObjects()[0]->GetDocument(), &loaded);
    auto* loadedTemplate = dynamic_cast<CDrawingTemplate*>(loaded.GetTemplates()[0].get());
    ASSERT_NE(loadedTemplate, nullptr);
    EXPECT_EQ(loadedTemplate->GetObjectAt(0)->GetDocument(), &loaded);
}

TEST(DrawingObjectStorage, CountsBeyondTheDataAreRefused) {
    auto expectRefused = [](const Bytes& bytes, const char* what) {
        CArchive ar(bytes);
        try {
            ar.ReadOwned<CDrawingObject>();
            ADD_FAILURE() << what << " was accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badCount) << what << ": " << e.what();
        }
    };
    CByteWriter points;
    points.ClassRecord("CDrawPolyline", 2)
        .Append(DrawingCommonPart(1, 1, 2, 0, 0))
        .U8(1)
        .I32(0x7FFFFFFF);
    for (int i = 0; i < 16; ++i) {
        points.I32(i);
    }
    expectRefused(points.Get(), "point count 0x7FFFFFFF");
    expectRefused(CByteWriter()
                      .ClassRecord("CDrawPolyline", 2)
                      .Append(DrawingCommonPart(1, 1, 2, 0, 0))
                      .U8(0)
                      .I32(-1)
                      .Get(),
                  "negative point count");

    CByteWriter transformations;
    transformations.ClassRecord("CDrawRectangle", 2).Append(DrawingCommonPart(1, 1, 2, 0, 2));
    for (int i = 0; i < 6 + 5; ++i) {  // one and a bit
        transformations.I32(0);
    }
    expectRefused(transformations.Get(), "two transformations in 44 bytes");
    expectRefused(CByteWriter()
                      .ClassRecord("CDrawRectangle", 2)
                      .Append(DrawingCommonPart(1, 1, 2, 0, -3))
                      .Get(),
                  "negative transformation count");

    expectRefused(CByteWriter()
                      .ClassRecord("CDrawingGroup", 2)
                      .Append(DrawingCommonPart(1, 1, 2, 0, 0))
                      .U16(500)
                      .Get(),
                  "group of 500 members in no bytes");
}

}  // namespace
