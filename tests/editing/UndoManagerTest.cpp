// The undo lists of a document: the limit, the modified flag that follows
// them, saving, the lists of descriptions, several actions at once, and stale
// requests.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editing/Action.h"
#include "editing/ActionManager.h"
#include "editing/UndoManager.h"
#include "platform/Document.h"

namespace {

// An action that counts its steps and tells when it goes.
class CCountingAction : public CAction {
public:
    CCountingAction(CDocument* owner, int id, std::vector<int>* deleted = nullptr)
        : CAction(owner, id), m_pDeleted(deleted) {}
    ~CCountingAction() override {
        if (m_pDeleted != nullptr) {
            m_pDeleted->push_back(GetDescriptionId());
        }
    }
    void Undo() override {
        CAction::Undo();
        ++undone;
    }
    void Redo() override {
        CAction::Redo();
        ++redone;
    }
    int undone = 0;
    int redone = 0;

private:
    std::vector<int>* m_pDeleted;
};

class UndoManagerTest : public testing::Test {
protected:
    void SetUp() override {
        manager.Register(&document, CUndoManager::kDefaultLimit,
                         [this](CDocument* key, const UndoNotification& note) {
                             notes.push_back(note);
                             CUndoManager::SetDocumentModified(key, note);
                         });
    }
    CCountingAction* Push(int id = 28891) {
        auto* action = new CCountingAction(&document, id, &deleted);
        action->Do();
        return action;
    }

    // The lists outlive the manager, whose actions report into them as they go.
    std::vector<UndoNotification> notes;
    std::vector<int> deleted;
    CUndoManager manager;
    CDocument document;
};

TEST_F(UndoManagerTest, TheModifiedFlagFollowsTheUndoList) {
    Push();
    EXPECT_TRUE(document.IsModified());
    Push();
    manager.Undo(&document, 1);
    EXPECT_TRUE(document.IsModified());
    manager.Undo(&document, 1);
    EXPECT_FALSE(document.IsModified()) << "all undone: as opened";
    manager.Redo(&document, 1);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(UndoManagerTest, TheTwentySixthActionDropsTheOldestForGood) {
    for (int i = 0; i < 26; ++i) {
        Push(28000 + i);
    }
    EXPECT_EQ(manager.GetCount(&document, false), 25);
    EXPECT_EQ(deleted, std::vector<int>{28000});
    EXPECT_TRUE(manager.Undo(&document, 25));
    EXPECT_FALSE(manager.CanUndo(&document, 1));
    // The state before the first action cannot be reached any more.
    EXPECT_TRUE(document.IsModified());
}

TEST_F(UndoManagerTest, SavingEmptiesBothListsAndStartsClean) {
    for (int i = 0; i < 26; ++i) {
        Push();
    }
    manager.Undo(&document, 2);
    manager.MarkSaved(&document);
    EXPECT_EQ(manager.GetCount(&document, false), 0);
    EXPECT_EQ(manager.GetCount(&document, true), 0);
    Push();
    EXPECT_TRUE(document.IsModified());
    manager.Undo(&document, 1);
    EXPECT_FALSE(document.IsModified()) << "back at the saved state";
}

TEST_F(UndoManagerTest, ClearKeepsTheCleanMark) {
    Push();
    manager.Clear(&document);
    EXPECT_EQ(manager.GetCount(&document, false), 0);
    Push();
    manager.Undo(&document, 1);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(UndoManagerTest, LoweringTheLimitDiscardsTheOldestAtOnce) {
    for (int i = 0; i < 6; ++i) {
        Push(28000 + i);
    }
    manager.Undo(&document, 2);  // 28005 and 28004 on the redo list
    manager.SetLimit(&document, 3);
    EXPECT_EQ(manager.GetCount(&document, false), 3);
    EXPECT_EQ(deleted, (std::vector<int>{28000}));
    manager.SetLimit(&document, 1);
    EXPECT_EQ(manager.GetCount(&document, false), 1);
    EXPECT_EQ(manager.GetCount(&document, true), 1);
    EXPECT_EQ(deleted, (std::vector<int>{28000, 28001, 28002, 28005}));
    manager.Undo(&document, 1);
    EXPECT_TRUE(document.IsModified()) << "the oldest actions are gone";
}

TEST_F(UndoManagerTest, DescriptionsComeFromTheStringTableMostRecentFirst) {
    Push(28899);
    Push(28892);
    Push(0);
    EXPECT_EQ(manager.GetDescription(&document, false, 0), "");
    EXPECT_EQ(manager.GetDescription(&document, false, 1), "Add a block object");
    EXPECT_EQ(manager.GetDescription(&document, false, 2), "Move some objects");
    EXPECT_EQ(manager.GetDescription(&document, false, 3), "");
    manager.Undo(&document, 2);
    EXPECT_EQ(manager.GetDescription(&document, true, 0), "Add a block object");
    EXPECT_EQ(manager.GetDescription(&document, true, 1), "");
}

TEST_F(UndoManagerTest, SeveralActionsAtOnceMakeOneNotification) {
    std::vector<CCountingAction*> actions;
    for (int i = 0; i < 4; ++i) {
        actions.push_back(Push());
    }
    notes.clear();
    EXPECT_TRUE(manager.Undo(&document, 3));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].message, CUndoManager::UndoMessage());
    EXPECT_EQ(notes[0].count, 3);
    EXPECT_EQ(notes[0].manager, &manager);
    EXPECT_EQ(actions[0]->undone, 0);
    EXPECT_EQ(actions[1]->undone, 1);
    EXPECT_EQ(actions[3]->undone, 1);
    EXPECT_TRUE(actions[3]->IsClosed());

    notes.clear();
    EXPECT_TRUE(manager.Redo(&document, 2));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].message, CUndoManager::RedoMessage());
    EXPECT_EQ(notes[0].count, 2);
    EXPECT_EQ(actions[1]->redone, 1);
    EXPECT_EQ(actions[3]->redone, 0);
}

TEST_F(UndoManagerTest, ANewActionDropsTheRedoList) {
    Push(28001);
    Push(28002);
    manager.Undo(&document, 1);
    ASSERT_TRUE(manager.CanRedo(&document, 1));
    Push(28003);
    EXPECT_FALSE(manager.CanRedo(&document, 1));
    EXPECT_EQ(deleted, std::vector<int>{28002});
}

TEST_F(UndoManagerTest, StaleRequestsChangeNothing) {
    Push();
    notes.clear();
    EXPECT_FALSE(manager.Undo(&document, 2));
    EXPECT_FALSE(manager.Redo(&document, 1));
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(manager.CanUndo(&document, 0));
    EXPECT_TRUE(manager.Undo(&document, 0));
    EXPECT_EQ(notes.size(), 1u) << "zero actions only notify";

    CDocument stranger;
    auto* orphan = new CCountingAction(&stranger, 28891);
    orphan->Do();
    EXPECT_TRUE(orphan->IsDone());
    EXPECT_FALSE(orphan->IsRegistered()) << "an unknown key leaves the action with its maker";
    EXPECT_FALSE(manager.Undo(&stranger, 1));
    EXPECT_EQ(manager.GetCount(&stranger, false), 0);
    EXPECT_EQ(manager.GetDescription(&stranger, false, 0), "");
    delete orphan;
}

TEST_F(UndoManagerTest, RemoveTakesTheCancelledGestureOffItsList) {
    Push(28001);
    CCountingAction* gesture = Push(28002);
    manager.Remove(&document, gesture);
    EXPECT_EQ(manager.GetCount(&document, false), 1);
    EXPECT_EQ(deleted, std::vector<int>{28002});
    CCountingAction* undone = Push(28003);
    manager.Undo(&document, 1);
    manager.Remove(&document, undone);
    EXPECT_EQ(manager.GetCount(&document, true), 0);
}

TEST_F(UndoManagerTest, AChangeOutsideTheListsKeepsTheDocumentModified) {
    Push();
    manager.ForgetCleanState(&document);
    manager.Undo(&document, 1);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(UndoManagerTest, ActionsSayWhetherTheyAreStillAlive) {
    CCountingAction* action = Push();
    const uint64_t serial = action->GetSerial();
    EXPECT_TRUE(CAction::IsLive(action, serial));
    manager.Unregister(&document);
    EXPECT_FALSE(CAction::IsLive(action, serial));
    EXPECT_FALSE(manager.IsRegistered(&document));
}

TEST(UndoManagerNames, RegisteredMessagesAreDistinctAndStable) {
    CUndoManager manager;
    EXPECT_NE(CUndoManager::DoMessage(), CUndoManager::UndoMessage());
    EXPECT_NE(CUndoManager::UndoMessage(), CUndoManager::RedoMessage());
    EXPECT_GE(CUndoManager::DoMessage(), 0xC000);
    EXPECT_EQ(CUndoManager::Get(), &manager);
}

}  // namespace
