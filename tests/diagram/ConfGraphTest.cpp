// Block nodes and connectors: their tie to the configuration (ports, LINK
// parameters, deleting blocks), connector geometry, links between loops, and
// storage in a document.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "diagram/BlockServices.h"
#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/FakeDrawingView.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"

namespace {

namespace fs = std::filesystem;

// Records what the graph asks the loop view to select and delete; the objects
// stay with the test.
class CRecordingView : public CFakeDrawingView {
public:
    void SelectObject(CDrawingObject* object, bool /*add*/) override {
        m_selected.push_back(object);
    }
    void DeleteObject(CDrawingObject* object) override { m_deleted.push_back(object); }
    std::vector<CDrawingObject*> m_selected;
    std::vector<CDrawingObject*> m_deleted;
};

std::vector<CPoint> Route(const CGraphLink& link) {
    const CDrawPolyline* path = link.GetPath();
    return std::vector<CPoint>(path->GetPointData(), path->GetPointData() + path->GetPointCount());
}

bool Contains(const CRect& outer, const CRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

class ConfGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.OnNewDocument();
        m_doc.CreateDefaultLoops();
        AddBlock(1, "AI", 1);
        AddBlock(1, "APID", 39);
        AddBlock(2, "PID", 43);
        m_doc.SetModifiedFlag(false);
        m_view.m_pDocument = &m_doc;
    }

    CBlock* AddBlock(int loop, const char* type, int number) {
        m_doc.SelectLoop(loop, false);
        m_doc.AddBlock(CBlock::Create(FindBlockTypeByMnemonic(type), number));
        return m_doc.FindBlockByNumber(number);
    }

    std::unique_ptr<CConfGraphNode> Node(int number, CPoint centre) {
        auto node = CConfGraphNode::CreateForBlock(*m_doc.FindBlockByNumber(number), centre,
                                                   CConfGraphNode::kSmallestBlockSize);
        node->SetDocument(&m_doc);
        return node;
    }

    int LinkValue(int blockNumber, const std::string& input) {
        const CBlock* block = m_doc.FindBlockByNumber(blockNumber);
        return block->GetLinkValue(block->FindLinkParam(input));
    }

    CConfDoc m_doc;
    CRecordingView m_view;
};

using ConnectorTest = ConfGraphTest;

TEST_F(ConfGraphTest, BlockNodeDrawsItsNameAboveItsNumber) {
    auto node = Node(39, CPoint(100, 100));
    EXPECT_EQ(node->GetName(), "APID");
    EXPECT_EQ(node->GetNumberText(), "039");
    EXPECT_EQ(node->GetLoop(), 1);
    EXPECT_EQ(node->GetRect(), CRect(70, 70, 130, 130));
    node->GetNameLabel()->SetTextColor(RGB(255, 0, 0));

    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(image);
        node->Draw(dc);
    }
    int redAbove = 0, redElsewhere = 0, darkBelow = 0, darkAbove = 0, inkOutside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour(image.pixel(x, y));
            const double r = std::hypot(x - 99.5, y - 99.5);
            if (r > 32.0) {
                inkOutside += colour != QColor(Qt::white) ? 1 : 0;
                continue;
            }
            const bool red = colour.red() > 150 && colour.green() < 110 && colour.blue() < 110;
            const bool dark = colour.red() < 110 && colour.green() < 110 && colour.blue() < 110;
            if (red) {
                (y < 100 ? redAbove : redElsewhere)++;
            }
            if (dark && r < 25.0) {
                (y < 100 ? darkAbove : darkBelow)++;
            }
        }
    }
    EXPECT_GT(redAbove, 0);
    EXPECT_EQ(redElsewhere, 0);
    EXPECT_GT(darkBelow, 0);
    EXPECT_EQ(darkAbove, 0);
    EXPECT_EQ(inkOutside, 0);
}

TEST_F(ConfGraphTest, PortsComeFromTheBlock) {
    auto apid = Node(39, CPoint(100, 100));
    std::string ports;
    apid->SetSelectedPort("B");
    EXPECT_EQ(apid->GetSelectedPort(), "B");
    EXPECT_TRUE(apid->GetOutputPorts(nullptr, ports));
    EXPECT_EQ(ports, "47;48;");
    EXPECT_EQ(apid->GetSelectedPort(), "");
    EXPECT_TRUE(apid->GetFreeInputPorts(&m_view, ports));
    EXPECT_EQ(ports, "A;B;C;D;E;");
    ASSERT_TRUE(blockservices::SetLinkParam(m_doc, "039", "B", "1"));
    EXPECT_TRUE(apid->GetFreeInputPorts(nullptr, ports));
    EXPECT_EQ(ports, "A;C;D;E;");
    apid->SetSelectedPort("?");
    EXPECT_EQ(apid->GetSelectedPort(), "");

    // The scan block numbers its inputs.
    AddBlock(3, "SCN", 119);
    auto scan = Node(119, CPoint(100, 100));
    EXPECT_TRUE(scan->GetFreeInputPorts(nullptr, ports));
    EXPECT_EQ(ports.substr(0, 6), "1;2;3;");
    EXPECT_EQ(ports.substr(ports.size() - 3), "40;");

    // No inputs, no outputs, no block.
    auto ai = Node(1, CPoint(100, 100));
    EXPECT_FALSE(ai->GetFreeInputPorts(nullptr, ports));
    EXPECT_EQ(ports, "");
    AddBlock(3, "FV", 27);
    EXPECT_FALSE(Node(27, CPoint(0, 0))->GetOutputPorts(nullptr, ports));
    apid->SetNumberText("200");
    EXPECT_FALSE(apid->GetOutputPorts(nullptr, ports));
    EXPECT_FALSE(apid->GetFreeInputPorts(nullptr, ports));
}

TEST_F(ConfGraphTest, RemovingALinkResetsTheDestinationsInput) {
    auto ai = Node(1, CPoint(100, 100));
    auto apid = Node(39, CPoint(300, 100));
    auto link = CGraphLink::CreateBetween(ai.get(), apid.get(), {}, "1", "A");
    ASSERT_TRUE(blockservices::SetLinkParam(m_doc, "039", "A", "1"));
    ASSERT_EQ(LinkValue(39, "A"), 1);

    link->Disconnect(nullptr);
    EXPECT_EQ(LinkValue(39, "A"), 0);
    EXPECT_TRUE(ai->GetLinks().empty());
    EXPECT_TRUE(apid->GetLinks().empty());
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ConfGraphTest, DeletingTheLinksDeletesTheBlock) {
    auto ai = Node(1, CPoint(100, 100));
    auto apid = Node(39, CPoint(300, 100));
    auto in = CGraphLink::CreateBetween(ai.get(), apid.get(), {}, "1", "A");
    auto self = CGraphLink::CreateBetween(
        apid.get(), apid.get(),
        {CPoint(300, 100), CPoint(300, 0), CPoint(400, 0), CPoint(400, 100), CPoint(300, 100)},
        "47", "B");
    ASSERT_EQ(apid->GetLinks().size(), 2u);

    apid->DeleteLinks(&m_view);
    EXPECT_EQ(m_view.m_deleted, (std::vector<CDrawingObject*>{in.get(), self.get()}));
    EXPECT_EQ(m_view.m_selected, m_view.m_deleted);
    EXPECT_TRUE(ai->GetLinks().empty());
    EXPECT_TRUE(apid->GetLinks().empty());
    EXPECT_EQ(m_doc.FindBlockByNumber(39), nullptr);
    EXPECT_NE(m_doc.FindBlockByNumber(1), nullptr);
}

TEST_F(ConfGraphTest, DocumentRoundTripResolvesEveryReference) {
    auto ai = Node(1, CPoint(100, 100));
    auto apid = Node(39, CPoint(300, 100));
    auto pid = Node(43, CPoint(100, 300));
    auto link = CGraphLink::CreateBetween(
        ai.get(), apid.get(), {CPoint(100, 100), CPoint(200, 160), CPoint(300, 100)}, "1", "A");
    auto out =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L2:", CPoint(450, 100));
    out->SetOwner(pid.get());
    out->SetLoop(1);
    auto toOther = CGraphLink::CreateBetween(apid.get(), out.get(), {}, "47", "A");
    const std::vector<CPoint> route = Route(*link);
    ASSERT_EQ(apid->GetConnectors(), std::vector<CConfSpecialNode*>{out.get()});

    const std::vector<CDrawingItem*> saved = {ai.get(),   apid.get(), pid.get(),
                                              link.get(), out.get(),  toOther.get()};
    m_doc.AddDrawingObject(std::move(ai));
    m_doc.AddDrawingObject(std::move(apid));
    m_doc.AddDrawingObject(std::move(pid));
    m_doc.AddDrawingObject(std::move(link));
    m_doc.AddDrawingObject(std::move(out));
    m_doc.AddDrawingObject(std::move(toOther));

    std::string pattern = (fs::temp_directory_path() / "kestrel-graph-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    const std::string path = (folder / "PLANT.vxp").string();
    ASSERT_TRUE(m_doc.OnSaveDocument(path)) << m_doc.GetLastError();
    CConfDoc loaded;
    const bool opened = loaded.OnOpenDocument(path);
    fs::remove_all(folder);
    ASSERT_TRUE(opened) << loaded.GetLastError();

    const CConfDoc::DrawingList& list = loaded.GetGraphObjects();
    ASSERT_EQ(list.size(), saved.size());
    auto* ai2 = dynamic_cast<CConfGraphNode*>(list[0].get());
    auto* apid2 = dynamic_cast<CConfGraphNode*>(list[1].get());
    auto* pid2 = dynamic_cast<CConfGraphNode*>(list[2].get());
    auto* link2 = dynamic_cast<CGraphLink*>(list[3].get());
    auto* out2 = dynamic_cast<CConfSpecialNode*>(list[4].get());
    auto* toOther2 = dynamic_cast<CGraphLink*>(list[5].get());
    ASSERT_TRUE(ai2 && apid2 && pid2 && link2 && out2 && toOther2);

    EXPECT_EQ(link2->GetFrom(), ai2);
    EXPECT_EQ(link2->GetTo(), apid2);
    EXPECT_EQ(Route(*link2), route);
    EXPECT_EQ(ai2->GetLinks(), std::vector<CGraphLink*>{link2});
    EXPECT_EQ(apid2->GetLinks(), (std::vector<CGraphLink*>{link2, toOther2}));
    EXPECT_EQ(apid2->GetConnectors(), std::vector<CConfSpecialNode*>{out2});
    EXPECT_EQ(out2->GetOwner(), pid2);
    EXPECT_EQ(out2->GetLink(), toOther2);
    EXPECT_EQ(out2->GetKind(), CConfSpecialNode::KIND_OUTGOING);
    EXPECT_EQ(out2->GetText(), "L2:");
    EXPECT_EQ(out2->GetAnchor(), CPoint(450, 100));
    EXPECT_EQ(Route(*toOther2).back(), CPoint(450, 100));
    EXPECT_EQ(toOther2->GetInPortText(), "A");
    EXPECT_EQ(pid2->GetLoop(), 2);
    EXPECT_EQ(apid2->GetNumber(), 39);

    // The loaded nodes work on the loaded configuration.
    std::string ports;
    EXPECT_TRUE(apid2->GetOutputPorts(nullptr, ports));
    EXPECT_EQ(ports, "47;48;");
    EXPECT_EQ(link2->GetDocument(), &loaded);
    EXPECT_EQ(link2->GetOutLabel()->GetDocument(), &loaded);
}

TEST(ConfGraphStorage, ConnectorHasNoBlockNodePart) {
    CConfSpecialNode connector;
    connector.SetKind(CConfSpecialNode::KIND_INCOMING);
    connector.SetText("L2:");
    CArchive out;
    out.WriteObject(&connector);
    const std::vector<uint8_t> bytes = out.GetBuffer();
    const std::size_t body = 6 + std::string("CConfSpecialNode").size() + 60;
    // Shape, label and owner references, the text, the kind and no links.
    const std::vector<uint8_t> tail = {0, 0, 0, 0, 0, 0, 3, 'L', '2', ':', 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(body), bytes.end()),
              tail);

    // A connector's parts take its loop when stored without one.
    auto made =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L3:", CPoint(50, 50));
    made->SetLoop(4);
    CArchive store;
    store.WriteObject(made.get());
    CArchive in(store.GetBuffer());
    std::unique_ptr<CConfSpecialNode> loaded = in.ReadOwned<CConfSpecialNode>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(loaded->GetShape()->GetLoop(), 4);
    EXPECT_EQ(loaded->GetNameLabel()->GetLoop(), 4);
    EXPECT_EQ(loaded->GetAnchor(), CPoint(50, 50));
    EXPECT_EQ(loaded->GetNumberLabel(), nullptr);

    // A communication connector keeps its class.
    auto comm = CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_COMM, "COM", CPoint(0, 0));
    CArchive commOut;
    commOut.WriteObject(comm.get());
    CArchive commIn(commOut.GetBuffer());
    std::unique_ptr<CConfSpecialNode> commLoaded = commIn.ReadOwned<CConfSpecialNode>();
    EXPECT_NE(dynamic_cast<CConfCommNode*>(commLoaded.get()), nullptr);
    EXPECT_EQ(commLoaded->GetKind(), CConfSpecialNode::KIND_COMM);
}

TEST(ConfGraphStorage, BlockNodeListsConnectorsAfterTheNodePart) {
    CConfSpecialNode connector;
    CConfGraphNode node;
    node.AddConnector(&connector);
    node.AddConnector(&connector);
    CArchive ar;
    ar.WriteObject(&connector);
    const std::size_t nodeStart = ar.GetBuffer().size();
    ar.WriteObject(&node);
    const std::size_t body = nodeStart + 6 + std::string("CConfGraphNode").size() + 60;
    const std::vector<uint8_t>& bytes = ar.GetBuffer();
    // No shape, labels or links; one connector, a back reference to object 2.
    const std::vector<uint8_t> tail = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(body), bytes.end()),
              tail);

    CArchive in(bytes);
    std::unique_ptr<CConfSpecialNode> connector2 = in.ReadOwned<CConfSpecialNode>();
    std::unique_ptr<CConfGraphNode> node2 = in.ReadOwned<CConfGraphNode>();
    ASSERT_TRUE(connector2 && node2);
    EXPECT_EQ(node2->GetConnectors(), std::vector<CConfSpecialNode*>{connector2.get()});
}

TEST_F(ConnectorTest, LinksEndExactlyAtTheAnchor) {
    auto apid = Node(39, CPoint(200, 200));

    auto incoming =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_INCOMING, "L2:", CPoint(50, 200));
    auto* box = dynamic_cast<CDrawPolyline*>(incoming->GetShape());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->GetPointCount(), 5);
    EXPECT_EQ(incoming->GetAnchor(), CPoint(50, 200));
    EXPECT_EQ(incoming->GetAnchor(), box->GetPoint(2));
    auto in = CGraphLink::CreateBetween(incoming.get(), apid.get(), {}, "47", "A");
    EXPECT_EQ(Route(*in).front(), CPoint(50, 200));
    EXPECT_EQ(apid->GetConnectors(), std::vector<CConfSpecialNode*>{incoming.get()});

    auto outgoing =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L3:", CPoint(350, 260));
    box = dynamic_cast<CDrawPolyline*>(outgoing->GetShape());
    EXPECT_EQ(outgoing->GetAnchor(),
              CPoint(box->GetPoint(0).x, (box->GetPoint(0).y + box->GetPoint(4).y) / 2));
    auto out = CGraphLink::CreateBetween(apid.get(), outgoing.get(), {}, "48", "B");
    EXPECT_EQ(Route(*out).back(), CPoint(350, 260));

    // A communication connector is met in the middle of the edge facing the link.
    auto comm =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_COMM, "COM1", CPoint(60, 330));
    const CRect commBox = comm->GetShape()->GetRect();
    auto fromComm = CGraphLink::CreateBetween(comm.get(), apid.get(), {}, "47", "C");
    EXPECT_EQ(Route(*fromComm).front(), CPoint(commBox.right, (commBox.top + commBox.bottom) / 2));
    EXPECT_EQ(comm->GetAnchor(), Route(*fromComm).front());
    EXPECT_EQ(comm->GetOutlinePoint(CPoint(commBox.left + 2, commBox.top - 50), nullptr),
              CPoint((commBox.left + commBox.right) / 2, commBox.top));
    EXPECT_EQ(comm->GetOutlinePoint(CPoint(commBox.left - 50, commBox.bottom + 50), nullptr),
              CPoint(commBox.left, (commBox.top + commBox.bottom) / 2));
}

TEST_F(ConnectorTest, OrientToLinkTurnsTheBoxOntoTheLinksEnd) {
    auto apid = Node(39, CPoint(200, 200));

    // Incoming, the link leaving to the left: the box turns to point left and
    // starts at the link's end with its tip.
    auto incoming = CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_INCOMING,
                                                      "L2:APID-039", CPoint(300, 330));
    auto in = CGraphLink::CreateBetween(incoming.get(), apid.get(),
                                        {CPoint(300, 330), CPoint(150, 330), CPoint(200, 200)},
                                        "47", "A");
    incoming->OrientToLink(&m_view);
    auto* inShape = dynamic_cast<CDrawPolyline*>(incoming->GetShape());
    const CRect inBox = inShape->GetRect();
    const int inHeight = incoming->GetNameLabel()->GetRect().Height();
    EXPECT_EQ(inShape->GetPoint(2), CPoint(300, 330));
    EXPECT_LT(inShape->GetPoint(2).x, inShape->GetPoint(0).x);
    EXPECT_EQ(inBox.left, 300);
    EXPECT_EQ(incoming->GetRect(), inBox);
    EXPECT_TRUE(Contains(inBox, incoming->GetNameLabel()->GetRect()));
    EXPECT_EQ(incoming->GetNameLabel()->GetRect().left, inBox.left + inHeight - 1);
    EXPECT_EQ(Route(*in).front(), CPoint(300, 330));

    // Outgoing, the link arriving from the right: the box points left and ends
    // at the link's end with its back edge.
    auto outgoing = CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L3:PID-043",
                                                      CPoint(20, 60));
    auto out = CGraphLink::CreateBetween(
        apid.get(), outgoing.get(), {CPoint(200, 200), CPoint(200, 60), CPoint(20, 60)}, "48", "B");
    outgoing->OrientToLink(&m_view);
    auto* outShape = dynamic_cast<CDrawPolyline*>(outgoing->GetShape());
    const CRect outBox = outShape->GetRect();
    EXPECT_EQ(Route(*out).back(), CPoint(20, 60));
    EXPECT_LT(outShape->GetPoint(2).x, outShape->GetPoint(0).x);
    EXPECT_EQ(outBox.right, 20);
    EXPECT_EQ(outgoing->GetAnchor(), CPoint(20, 60));
    EXPECT_TRUE(Contains(outBox, outgoing->GetNameLabel()->GetRect()));
    EXPECT_GT(outgoing->GetNameLabel()->GetRect().left, outShape->GetPoint(1).x);

    // Outgoing, the link arriving from the left: the box points right from the end.
    auto right =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L4:", CPoint(380, 120));
    auto toRight = CGraphLink::CreateBetween(
        apid.get(), right.get(), {CPoint(200, 200), CPoint(200, 120), CPoint(380, 120)}, "47", "C");
    right->OrientToLink(nullptr);
    auto* rightShape = dynamic_cast<CDrawPolyline*>(right->GetShape());
    EXPECT_GT(rightShape->GetPoint(2).x, rightShape->GetPoint(0).x);
    EXPECT_EQ(rightShape->GetRect().left, 380);
    EXPECT_EQ(right->GetAnchor(), CPoint(380, 120));
    EXPECT_EQ(right->GetNameLabel()->GetRect().left, 383);
    EXPECT_TRUE(Contains(rightShape->GetRect(), right->GetNameLabel()->GetRect()));
}

TEST_F(ConnectorTest, RemovingALinkToAnotherLoopRemovesItsPartnerThere) {
    // Loop 1: APID 039 output 47 leaves for loop 2; loop 2: it arrives at
    // input A of PID 043.
    auto apid = Node(39, CPoint(100, 100));
    auto pid = Node(43, CPoint(300, 100));
    auto leaving =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING, "L2:", CPoint(250, 100));
    leaving->SetOwner(pid.get());
    auto arriving =
        CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_INCOMING, "L1:", CPoint(150, 100));
    arriving->SetOwner(apid.get());
    auto there = CGraphLink::CreateBetween(apid.get(), leaving.get(), {}, "47", "A");
    auto here = CGraphLink::CreateBetween(arriving.get(), pid.get(), {}, "47", "A");
    ASSERT_TRUE(blockservices::SetLinkParam(m_doc, "043", "A", "47"));

    EXPECT_EQ(apid->FindConnectorByPort("47"), leaving.get());
    EXPECT_EQ(apid->FindConnectorByPort("A"), leaving.get());
    EXPECT_EQ(apid->FindConnectorByPort("99"), nullptr);
    EXPECT_EQ(apid->FindConnectorByPort(""), nullptr);
    EXPECT_EQ(pid->FindConnectorByPort("47"), arriving.get());
    there->BeginOnline(nullptr);
    there->SetOnlineValue(nullptr, "5.0");
    EXPECT_EQ(apid->FindConnectorByPort("47"), leaving.get());
    there->EndOnline(nullptr);

    there->Disconnect(&m_view);
    EXPECT_EQ(LinkValue(43, "A"), 0);
    EXPECT_EQ(m_view.m_deleted, (std::vector<CDrawingObject*>{here.get(), arriving.get()}));
    EXPECT_TRUE(pid->GetLinks().empty());
    EXPECT_TRUE(pid->GetConnectors().empty());
    EXPECT_TRUE(arriving->GetLinks().empty());
    EXPECT_TRUE(apid->GetLinks().empty());
    EXPECT_TRUE(apid->GetConnectors().empty());
    EXPECT_TRUE(leaving->GetLinks().empty());
}

}  // namespace
