#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/Object.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Cause = CArchiveException::Cause;

// A graph node: a value, a name, the children it owns and a link it does not own.
class CArchiveTestNode : public CObject {
    DECLARE_SERIAL(CArchiveTestNode)

public:
    void Serialize(CArchive& ar) override;

    int32_t m_nValue = 0;
    std::string m_strName;
    std::vector<std::unique_ptr<CArchiveTestNode>> m_children;
    CArchiveTestNode* m_pLink = nullptr;
    // The schema the loader handed to the body, before and after the children.
    int m_nSchemaSeen = -1;
    int m_nSchemaAfterChildren = -1;
};

IMPLEMENT_SERIAL(CArchiveTestNode, CObject, 2)

void CArchiveTestNode::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nValue);
        ar.WriteString(m_strName);
        ar.WriteCount(m_children.size());
        for (const auto& child : m_children) {
            ar.WriteObject(child.get());
        }
        ar.WriteObject(m_pLink);
        return;
    }
    m_nSchemaSeen = ar.GetObjectSchema();
    m_nValue = ar.ReadInt32();
    m_strName = ar.ReadString();
    const std::size_t count = ar.ReadCount(2);
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<CArchiveTestNode> child = ar.ReadOwned<CArchiveTestNode>();
        if (!child) {
            ar.ThrowMalformed(CArchiveException::badReference, "Missing child");
        }
        m_children.push_back(std::move(child));
    }
    m_pLink = static_cast<CArchiveTestNode*>(ar.ReadObject(RUNTIME_CLASS(CArchiveTestNode)));
    m_nSchemaAfterChildren = ar.GetObjectSchema();
}

// A node of a derived class with its own schema and one more field.
class CArchiveTestDerivedNode : public CArchiveTestNode {
    DECLARE_SERIAL(CArchiveTestDerivedNode)

public:
    void Serialize(CArchive& ar) override {
        CArchiveTestNode::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteInt16(m_nExtra);
        } else {
            m_nExtra = ar.ReadInt16();
        }
    }

    int16_t m_nExtra = 0;
};

IMPLEMENT_SERIAL(CArchiveTestDerivedNode, CArchiveTestNode, 5)

// The smallest stored object: a 16-bit value.
class CArchiveTestLeaf : public CObject {
    DECLARE_SERIAL(CArchiveTestLeaf)

public:
    CArchiveTestLeaf() = default;
    explicit CArchiveTestLeaf(int16_t value) : m_nValue(value) {}

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteInt16(m_nValue);
        } else {
            m_nValue = ar.ReadInt16();
        }
    }

    int16_t m_nValue = 0;
};

IMPLEMENT_SERIAL(CArchiveTestLeaf, CObject, 1)

constexpr std::string_view kNodeName = "CArchiveTestNode";
constexpr std::string_view kDerivedName = "CArchiveTestDerivedNode";
constexpr std::string_view kLeafName = "CArchiveTestLeaf";

// Builds archive bytes by hand, independently of CArchive's writers.
struct ByteBuilder {
    Bytes bytes;

    ByteBuilder& U8(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    ByteBuilder& U16(uint16_t v) {
        return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8));
    }
    ByteBuilder& U32(uint32_t v) {
        return U16(static_cast<uint16_t>(v)).U16(static_cast<uint16_t>(v >> 16));
    }
    ByteBuilder& Tags(std::initializer_list<uint16_t> tags) {
        for (uint16_t tag : tags) {
            U16(tag);
        }
        return *this;
    }
    ByteBuilder& Text(std::string_view text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder& ClassRecord(uint16_t schema, std::string_view name) {
        return U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size())).Text(name);
    }
    // The body of a node up to and including its child count.
    ByteBuilder& NodeHead(int32_t value, std::string_view name, uint16_t childCount) {
        return U32(static_cast<uint32_t>(value))
            .U8(static_cast<uint8_t>(name.size()))
            .Text(name)
            .U16(childCount);
    }
    // The whole body of a node without children and without a link.
    ByteBuilder& PlainNode(int32_t value, std::string_view name = "") {
        return NodeHead(value, name, 0).U16(0);
    }
};

Bytes StoreObject(const CObject* object) {
    CArchive ar;
    ar.WriteObject(object);
    return ar.GetBuffer();
}

// How a read fails, or nothing when it succeeds.
template <class Read>
std::optional<Cause> FailureOf(Read read) {
    try {
        read();
    } catch (const CArchiveException& e) {
        return e.GetCause();
    }
    return std::nullopt;
}

// How reading one owned node from the bytes fails, or nothing when it loads.
std::optional<Cause> NodeLoadFailure(const Bytes& bytes) {
    CArchive ar(bytes);
    return FailureOf([&ar] { ar.ReadOwned<CArchiveTestNode>(); });
}

std::unique_ptr<CArchiveTestNode> MakeNode(int32_t value, std::string name = "") {
    auto node = std::make_unique<CArchiveTestNode>();
    node->m_nValue = value;
    node->m_strName = std::move(name);
    return node;
}

CArchiveTestNode* AddChild(CArchiveTestNode& parent, std::unique_ptr<CArchiveTestNode> child) {
    parent.m_children.push_back(std::move(child));
    return parent.m_children.back().get();
}

// root { A -> B, B { C -> A } -> root } -> C, where "->" is a link. A links forward to
// its later sibling, so B is first read as a link and owned afterwards.
std::unique_ptr<CArchiveTestNode> MakeSharedGraph() {
    auto root = MakeNode(100, "root");
    CArchiveTestNode* a = AddChild(*root, MakeNode(-1, "a"));
    CArchiveTestNode* b = AddChild(*root, MakeNode(0x7FFFFFFF, std::string(300, 'b')));
    CArchiveTestNode* c = AddChild(*b, MakeNode(3, "c"));
    a->m_pLink = b;
    b->m_pLink = root.get();
    c->m_pLink = a;
    root->m_pLink = c;
    return root;
}

std::unique_ptr<CArchiveTestNode> MakeChain(int depth) {
    auto root = MakeNode(0);
    CArchiveTestNode* last = root.get();
    for (int i = 1; i < depth; ++i) {
        last = AddChild(*last, MakeNode(i));
    }
    return root;
}

// Numbers and strings

TEST(ArchiveNumbers, EachWidthIsLittleEndianAndReadsBack) {
    const float floatValue = std::bit_cast<float>(0x40490FDBu);
    const double doubleValue = std::bit_cast<double>(0x0123456789ABCDEFull);
    CArchive out;
    out.WriteUInt8(0x12);
    out.WriteUInt16(0x3456);
    out.WriteUInt32(0x789ABCDE);
    out.WriteInt16(-2);
    out.WriteInt32(-0x12345678);
    out.WriteFloat(floatValue);
    out.WriteDouble(doubleValue);
    const Bytes expected = {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF,
                            0x88, 0xA9, 0xCB, 0xED, 0xDB, 0x0F, 0x49, 0x40, 0xEF,
                            0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};
    EXPECT_EQ(out.GetBuffer(), expected);

    CArchive in(out.GetBuffer());
    EXPECT_EQ(in.ReadUInt8(), 0x12);
    EXPECT_EQ(in.ReadUInt16(), 0x3456);
    EXPECT_EQ(in.ReadUInt32(), 0x789ABCDEu);
    EXPECT_EQ(in.ReadInt16(), -2);
    EXPECT_EQ(in.ReadInt32(), -0x12345678);
    EXPECT_EQ(std::bit_cast<uint32_t>(in.ReadFloat()), 0x40490FDBu);
    EXPECT_EQ(std::bit_cast<uint64_t>(in.ReadDouble()), 0x0123456789ABCDEFull);
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(ArchiveNumbers, ReadingPastTheEndThrowsWithoutMoving) {
    const Bytes three = {1, 2, 3};
    CArchive in(three);
    EXPECT_EQ(FailureOf([&in] { in.ReadUInt32(); }), CArchiveException::endOfFile);
    EXPECT_EQ(in.GetPosition(), 0u);
    EXPECT_EQ(in.ReadUInt16(), 0x0201);
    EXPECT_THROW(in.ReadDouble(), CArchiveException);
    uint8_t buffer[2];
    EXPECT_THROW(in.Read(buffer, sizeof buffer), CArchiveException);
}

TEST(ArchiveStrings, LengthPrefixSwitchesWidthAtEachLimit) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        // Every byte value, NUL and 0xFF included, must pass through unchanged.
        std::string text(c.length, '\0');
        for (std::size_t i = 0; i < c.length; ++i) {
            text[i] = static_cast<char>(i * 7);
        }
        CArchive out;
        out.WriteString(text);
        const Bytes& bytes = out.GetBuffer();
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix);
        EXPECT_EQ(std::string(bytes.begin() + c.prefix.size(), bytes.end()), text);

        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_EQ(in.GetRemaining(), 0u);
    }
}

TEST(ArchiveStrings, MalformedLengthsThrow) {
    const auto failure = [](const Bytes& bytes) {
        CArchive in(bytes);
        return FailureOf([&in] { in.ReadString(); });
    };
    EXPECT_EQ(failure({0x05, 'a', 'b'}), CArchiveException::endOfFile);
    EXPECT_EQ(failure({0xFF, 0x00}), CArchiveException::endOfFile);
    EXPECT_EQ(failure({0xFF, 0x00, 0x01, 'a'}), CArchiveException::endOfFile);
    EXPECT_EQ(failure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}),
              CArchiveException::endOfFile);
    // 0xFFFE marks a wide-character string, which the documents never hold.
    EXPECT_TRUE(failure({0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}).has_value());
}

TEST(ArchiveCounts, EscapeToThirtyTwoBitsFrom0xFFFF) {
    struct Case {
        std::size_t count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        CArchive out;
        out.WriteCount(c.count);
        EXPECT_EQ(out.GetBuffer(), c.bytes);
        CArchive in(out.GetBuffer());
        EXPECT_EQ(in.ReadCount(0), c.count);
    }
}

TEST(ArchiveCounts, CountLargerThanTheRemainingDataIsRefused) {
    const auto failure = [](const Bytes& bytes, std::size_t minBytes) {
        CArchive in(bytes);
        return FailureOf([&] { in.ReadCount(minBytes); });
    };
    EXPECT_EQ(failure({0x02, 0x00, 'a', 'b'}, 1), std::nullopt);
    EXPECT_EQ(failure({0x03, 0x00, 'a', 'b'}, 1), CArchiveException::badCount);
    EXPECT_EQ(failure({0x02, 0x00, 'a', 'b', 'c'}, 2), CArchiveException::badCount);
    EXPECT_EQ(failure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}, 1), CArchiveException::badCount);
    EXPECT_EQ(failure({0xFF, 0xFF, 0xFF, 0xFF}, 1), CArchiveException::endOfFile);
}

// Objects: tags, class records and the shared index

TEST(ArchiveObjects, ClassRecordOnceThenClassTagsAndBackReferences) {
    CArchiveTestLeaf first(0x0102);
    CArchiveTestLeaf second(0x0304);
    CArchive out;
    out.WriteObject(&first);
    out.WriteObject(&second);
    out.WriteObject(&first);
    out.WriteObject(&second);
    out.WriteObject(nullptr);
    // Index 1 is the class, 2 and 3 the objects.
    ByteBuilder expected;
    expected.ClassRecord(1, kLeafName).Tags({0x0102, 0x8001, 0x0304, 0x0002, 0x0003, 0x0000});
    EXPECT_EQ(out.GetBuffer(), expected.bytes);

    CArchive in(out.GetBuffer());
    CObject* a = in.ReadObject(RUNTIME_CLASS(CArchiveTestLeaf));
    CObject* b = in.ReadObject(RUNTIME_CLASS(CArchiveTestLeaf));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(static_cast<CArchiveTestLeaf*>(a)->m_nValue, 0x0102);
    EXPECT_EQ(static_cast<CArchiveTestLeaf*>(b)->m_nValue, 0x0304);
    EXPECT_EQ(in.ReadObject(nullptr), a);
    EXPECT_EQ(in.ReadObject(nullptr), b);
    EXPECT_EQ(in.ReadObject(nullptr), nullptr);
    EXPECT_EQ(in.GetRemaining(), 0u);
    // Nobody took them: the archive deletes both.
    EXPECT_EQ(in.GetUnownedCount(), 2u);
}

TEST(ArchiveObjects, TwoClassesShareOneIndexCounter) {
    CArchiveTestLeaf leaf1(11);
    CArchiveTestLeaf leaf2(12);
    auto node1 = MakeNode(7, "n");
    auto node2 = MakeNode(8);
    node2->m_pLink = node1.get();
    CArchive out;
    out.WriteObject(&leaf1);       // class 1, object 2
    out.WriteObject(node1.get());  // class 3, object 4
    out.WriteObject(&leaf2);       // object 5
    out.WriteObject(node2.get());  // object 6
    out.WriteObject(node1.get());
    out.WriteObject(&leaf2);
    ByteBuilder expected;
    expected.ClassRecord(1, kLeafName).U16(11).ClassRecord(2, kNodeName).PlainNode(7, "n");
    expected.Tags({0x8001, 12, 0x8003}).NodeHead(8, "", 0).Tags({0x0004, 0x0004, 0x0005});
    EXPECT_EQ(out.GetBuffer(), expected.bytes);

    CArchive in(out.GetBuffer());
    auto l1 = in.ReadOwned<CArchiveTestLeaf>();
    auto n1 = in.ReadOwned<CArchiveTestNode>();
    auto l2 = in.ReadOwned<CArchiveTestLeaf>();
    auto n2 = in.ReadOwned<CArchiveTestNode>();
    ASSERT_TRUE(l1 && n1 && l2 && n2);
    EXPECT_EQ(l1->m_nValue, 11);
    EXPECT_EQ(l2->m_nValue, 12);
    EXPECT_EQ(n1->m_strName, "n");
    EXPECT_EQ(n2->m_pLink, n1.get());
    EXPECT_EQ(in.ReadObject(RUNTIME_CLASS(CArchiveTestNode)), n1.get());
    EXPECT_EQ(in.ReadObject(RUNTIME_CLASS(CArchiveTestLeaf)), l2.get());
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(in.GetUnownedCount(), 0u);
}

TEST(ArchiveObjects, IndicesFrom0x7FFFUseThe32BitTag) {
    // Class 1, leaves 2..n+1, then the node class at n+2 and two nodes. Each case puts
    // one kind of entry on the last 16-bit index and the other on the first 32-bit one.
    struct Case {
        int leafCount;
        Bytes tail;  // everything after the leaves
    };
    const Case cases[] = {
        // Node class 0x7FFE still fits the class tag; node 0x7FFF needs 32 bits.
        {32764, ByteBuilder()
                    .ClassRecord(2, kNodeName)
                    .PlainNode(1)
                    .U16(0xFFFE)
                    .PlainNode(2)
                    .Tags({0x0002, 0x7FFD, 0x7FFF})
                    .U32(0x7FFF)
                    .bytes},
        // Leaf 0x7FFE is the last short reference; node class 0x7FFF needs 32 bits.
        {32765, ByteBuilder()
                    .ClassRecord(2, kNodeName)
                    .PlainNode(1)
                    .U16(0x7FFF)
                    .U32(0x80007FFFu)
                    .PlainNode(2)
                    .Tags({0x0002, 0x7FFE, 0x7FFF})
                    .U32(0x8000)
                    .bytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leafCount);
        std::vector<CArchiveTestLeaf> leaves;
        leaves.reserve(c.leafCount);
        for (int i = 0; i < c.leafCount; ++i) {
            leaves.emplace_back(static_cast<int16_t>(i));
        }
        auto node1 = MakeNode(1);
        auto node2 = MakeNode(2);
        CArchive out;
        for (const CArchiveTestLeaf& leaf : leaves) {
            out.WriteObject(&leaf);
        }
        out.WriteObject(node1.get());
        out.WriteObject(node2.get());
        out.WriteObject(&leaves.front());
        out.WriteObject(&leaves.back());
        out.WriteObject(node1.get());

        const Bytes& bytes = out.GetBuffer();
        const std::size_t leafBytes = kLeafName.size() + 6 + 2 + (c.leafCount - 1) * 4;
        ASSERT_EQ(bytes.size(), leafBytes + c.tail.size());
        EXPECT_EQ(Bytes(bytes.begin() + leafBytes, bytes.end()), c.tail);
        // The leaf class keeps its small index: the last leaf is tagged 0x8001 too.
        EXPECT_EQ(bytes[leafBytes - 4], 0x01);
        EXPECT_EQ(bytes[leafBytes - 3], 0x80);

        CArchive in(bytes);
        std::vector<std::unique_ptr<CArchiveTestLeaf>> loaded;
        for (int i = 0; i < c.leafCount; ++i) {
            loaded.push_back(in.ReadOwned<CArchiveTestLeaf>());
            ASSERT_TRUE(loaded.back());
            ASSERT_EQ(loaded.back()->m_nValue, static_cast<int16_t>(i));
        }
        auto n1 = in.ReadOwned<CArchiveTestNode>();
        auto n2 = in.ReadOwned<CArchiveTestNode>();
        ASSERT_TRUE(n1 && n2);
        EXPECT_EQ(n2->m_nValue, 2);
        EXPECT_EQ(in.ReadObject(nullptr), loaded.front().get());
        EXPECT_EQ(in.ReadObject(nullptr), loaded.back().get());
        EXPECT_EQ(in.ReadObject(nullptr), n1.get());
        EXPECT_EQ(in.GetRemaining(), 0u);
        EXPECT_EQ(in.GetUnownedCount(), 0u);
    }
}

TEST(ArchiveObjects, BodyReadsTheSchemaStoredWithItsClass) {
    // A node of schema 1 (older than ours) owning a derived node of schema 5.
    ByteBuilder file;
    file.ClassRecord(1, kNodeName).NodeHead(10, "old", 1);
    file.ClassRecord(5, kDerivedName).PlainNode(11).U16(0x1234);
    file.U16(0x0000);
    CArchive in(file.bytes);
    auto root = in.ReadOwned<CArchiveTestNode>();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_nSchemaSeen, 1);
    // The child's schema applies to the child only.
    EXPECT_EQ(root->m_nSchemaAfterChildren, 1);
    ASSERT_EQ(root->m_children.size(), 1u);
    auto* derived = dynamic_cast<CArchiveTestDerivedNode*>(root->m_children[0].get());
    ASSERT_NE(derived, nullptr);
    EXPECT_EQ(derived->m_nSchemaSeen, 5);
    EXPECT_EQ(derived->m_nValue, 11);
    EXPECT_EQ(derived->m_nExtra, 0x1234);
    EXPECT_EQ(in.GetRemaining(), 0u);

    // What we store carries the class's own schema.
    auto fresh = MakeNode(1);
    CArchive reread(StoreObject(fresh.get()));
    EXPECT_EQ(reread.ReadOwned<CArchiveTestNode>()->m_nSchemaSeen, 2);
}

TEST(ArchiveObjects, SharedGraphRoundTripsByteExact) {
    const auto original = MakeSharedGraph();
    const Bytes bytes = StoreObject(original.get());

    CArchive in(bytes);
    auto root = in.ReadOwned<CArchiveTestNode>();
    ASSERT_TRUE(root);
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(in.GetUnownedCount(), 0u);
    ASSERT_EQ(root->m_children.size(), 2u);
    CArchiveTestNode* a = root->m_children[0].get();
    CArchiveTestNode* b = root->m_children[1].get();
    ASSERT_EQ(b->m_children.size(), 1u);
    CArchiveTestNode* c = b->m_children[0].get();
    EXPECT_EQ(root->m_strName, "root");
    EXPECT_EQ(a->m_nValue, -1);
    EXPECT_EQ(b->m_nValue, 0x7FFFFFFF);
    EXPECT_EQ(b->m_strName, std::string(300, 'b'));
    EXPECT_EQ(a->m_pLink, b);
    EXPECT_EQ(b->m_pLink, root.get());
    EXPECT_EQ(c->m_pLink, a);
    EXPECT_EQ(root->m_pLink, c);

    EXPECT_EQ(StoreObject(root.get()), bytes);
}

// Ownership

TEST(ArchiveOwnership, LinkedObjectStaysWithTheArchiveUntilAnOwnerTakesIt) {
    auto root = MakeNode(1);
    auto loose = MakeNode(2);
    root->m_pLink = loose.get();
    CArchive out;
    out.WriteObject(root.get());
    out.WriteObject(loose.get());
    out.WriteObject(loose.get());

    CArchive in(out.GetBuffer());
    auto loadedRoot = in.ReadOwned<CArchiveTestNode>();
    ASSERT_TRUE(loadedRoot && loadedRoot->m_pLink);
    EXPECT_EQ(in.GetUnownedCount(), 1u);
    auto loadedLoose = in.ReadOwned<CArchiveTestNode>();
    EXPECT_EQ(loadedLoose.get(), loadedRoot->m_pLink);
    EXPECT_EQ(in.GetUnownedCount(), 0u);
    // A second owner of the same object is refused; the first keeps it.
    EXPECT_EQ(FailureOf([&in] { in.ReadOwned<CArchiveTestNode>(); }),
              CArchiveException::badReference);
    EXPECT_EQ(loadedLoose->m_nValue, 2);
}

TEST(ArchiveOwnership, UntakenObjectsAreDeletedByTheArchive) {
    // Checked by the leak sanitizer: the loose node is deleted with the archive.
    auto root = MakeNode(1);
    auto loose = MakeNode(2, "loose");
    root->m_pLink = loose.get();
    const Bytes bytes = StoreObject(root.get());
    std::unique_ptr<CArchiveTestNode> loadedRoot;
    {
        CArchive in(bytes);
        loadedRoot = in.ReadOwned<CArchiveTestNode>();
        EXPECT_EQ(in.GetUnownedCount(), 1u);
    }
    EXPECT_EQ(loadedRoot->m_nValue, 1);
}

TEST(ArchiveOwnership, ObjectOwnedTwiceOrByItselfIsRefused) {
    // Entries: 1 = node class, 2 = the root node, 3 = its first child.
    ByteBuilder twice;
    twice.ClassRecord(2, kNodeName).NodeHead(0, "", 2);
    twice.U16(0x8001).PlainNode(1).Tags({0x0003, 0x0000});
    EXPECT_EQ(NodeLoadFailure(twice.bytes), CArchiveException::badReference);

    ByteBuilder itself;
    itself.ClassRecord(2, kNodeName).NodeHead(0, "", 1).Tags({0x0002, 0x0000});
    EXPECT_EQ(NodeLoadFailure(itself.bytes), CArchiveException::badReference);

    ByteBuilder grandparent;
    grandparent.ClassRecord(2, kNodeName).NodeHead(0, "", 1);
    grandparent.U16(0x8001).NodeHead(1, "", 1).Tags({0x0002, 0x0000, 0x0000});
    EXPECT_EQ(NodeLoadFailure(grandparent.bytes), CArchiveException::badReference);

    // Linking to itself is fine: only owning is refused.
    ByteBuilder link;
    link.ClassRecord(2, kNodeName).NodeHead(0, "", 0).U16(0x0002);
    EXPECT_EQ(NodeLoadFailure(link.bytes), std::nullopt);
}

// Malformed input

TEST(ArchiveMalformed, BadClassRecords) {
    EXPECT_EQ(
        NodeLoadFailure(ByteBuilder().ClassRecord(2, "CArchiveTestNoSuchClass").PlainNode(0).bytes),
        CArchiveException::badClass);
    // Known but abstract: nothing to create.
    EXPECT_EQ(NodeLoadFailure(ByteBuilder().ClassRecord(0, "CObject").bytes),
              CArchiveException::badClass);
    EXPECT_EQ(NodeLoadFailure(ByteBuilder().U16(0xFFFF).U16(2).U16(0).PlainNode(0).bytes),
              CArchiveException::badSchema);
    EXPECT_EQ(NodeLoadFailure(
                  ByteBuilder().U16(0xFFFF).U16(2).U16(1000).Text(std::string(1000, 'A')).bytes),
              CArchiveException::badSchema);
    EXPECT_EQ(NodeLoadFailure(ByteBuilder().U16(0xFFFF).U16(2).U16(0xFFFF).bytes),
              CArchiveException::badSchema);
}

TEST(ArchiveMalformed, TagsReferringToTheWrongEntry) {
    // Entries: 1 = node class, 2 = the node being read.
    struct Case {
        const char* what;
        Bytes childTag;
    };
    const Case childCases[] = {
        {"class index 0", ByteBuilder().U16(0x8000).bytes},
        {"class index of an object", ByteBuilder().U16(0x8002).bytes},
        {"class index beyond the entries", ByteBuilder().U16(0x8003).bytes},
        {"32-bit class index of an object", ByteBuilder().U16(0x7FFF).U32(0x80000002u).bytes},
        {"32-bit class index beyond", ByteBuilder().U16(0x7FFF).U32(0xFFFFFFFFu).bytes},
    };
    for (const Case& c : childCases) {
        SCOPED_TRACE(c.what);
        ByteBuilder b;
        b.ClassRecord(2, kNodeName).NodeHead(0, "", 1);
        b.bytes.insert(b.bytes.end(), c.childTag.begin(), c.childTag.end());
        b.PlainNode(1).U16(0x0000);
        EXPECT_EQ(NodeLoadFailure(b.bytes), CArchiveException::badIndex);
    }
    const Case linkCases[] = {
        {"object index of a class", ByteBuilder().U16(0x0001).bytes},
        {"object index beyond the entries", ByteBuilder().U16(0x0003).bytes},
        {"32-bit object index of a class", ByteBuilder().U16(0x7FFF).U32(1).bytes},
        {"32-bit object index 0", ByteBuilder().U16(0x7FFF).U32(0).bytes},
        {"32-bit object index beyond", ByteBuilder().U16(0x7FFF).U32(0x7FFFFFFF).bytes},
    };
    for (const Case& c : linkCases) {
        SCOPED_TRACE(c.what);
        ByteBuilder b;
        b.ClassRecord(2, kNodeName).NodeHead(0, "", 0);
        b.bytes.insert(b.bytes.end(), c.childTag.begin(), c.childTag.end());
        EXPECT_EQ(NodeLoadFailure(b.bytes), CArchiveException::badIndex);
    }
}

TEST(ArchiveMalformed, ObjectOfAnUnrelatedClassIsRefused) {
    ByteBuilder leaf;
    leaf.ClassRecord(1, kLeafName).U16(5);
    EXPECT_EQ(NodeLoadFailure(leaf.bytes), CArchiveException::badClass);

    ByteBuilder leafChild;
    leafChild.ClassRecord(2, kNodeName).NodeHead(0, "", 1).ClassRecord(1, kLeafName).U16(5);
    leafChild.U16(0x0000);
    EXPECT_EQ(NodeLoadFailure(leafChild.bytes), CArchiveException::badClass);

    // A node linking to a leaf read before it.
    ByteBuilder leafLink;
    leafLink.ClassRecord(1, kLeafName).U16(5);
    leafLink.ClassRecord(2, kNodeName).NodeHead(0, "", 0).U16(0x0002);
    CArchive in(leafLink.bytes);
    ASSERT_NE(in.ReadObject(nullptr), nullptr);
    EXPECT_EQ(FailureOf([&in] { in.ReadOwned<CArchiveTestNode>(); }), CArchiveException::badClass);
}

TEST(ArchiveMalformed, EveryTruncationThrowsAndLeaksNothing) {
    const auto graph = MakeSharedGraph();
    const Bytes bytes = StoreObject(graph.get());
    ASSERT_EQ(NodeLoadFailure(bytes), std::nullopt);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const Bytes prefix(bytes.begin(), bytes.begin() + size);
        EXPECT_TRUE(NodeLoadFailure(prefix).has_value()) << "prefix of " << size << " bytes";
    }
}

TEST(ArchiveMalformed, AbsurdLengthsAndCountsAreRefusedBeforeAllocating) {
    ByteBuilder hugeName;
    hugeName.ClassRecord(2, kNodeName).U32(0).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFFu).Text("abc");
    EXPECT_EQ(NodeLoadFailure(hugeName.bytes), CArchiveException::endOfFile);

    ByteBuilder hugeCount;
    hugeCount.ClassRecord(2, kNodeName).U32(0).U8(0).U16(0xFFFF).U32(0xFFFFFFFFu).PlainNode(1);
    EXPECT_EQ(NodeLoadFailure(hugeCount.bytes), CArchiveException::badCount);
}

TEST(ArchiveMalformed, NestingBeyondTheLimitIsRefused) {
    const auto deepest = MakeChain(CArchive::kMaxNesting);
    EXPECT_EQ(NodeLoadFailure(StoreObject(deepest.get())), std::nullopt);
    const auto tooDeep = MakeChain(CArchive::kMaxNesting + 1);
    EXPECT_EQ(NodeLoadFailure(StoreObject(tooDeep.get())), CArchiveException::tooDeep);
}

}  // namespace
