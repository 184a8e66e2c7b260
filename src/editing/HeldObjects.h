#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class CDrawingObject;
class CLoopEditor;

// The drawing objects an action moves into and out of the document. Each one
// is owned here while it is out of the document, with the list position it
// had when it was taken out.
class CHeldObjects {
public:
    CHeldObjects();
    ~CHeldObjects();
    CHeldObjects(CHeldObjects&&) noexcept;
    CHeldObjects& operator=(CHeldObjects&&) noexcept;

    // An object that is not in the document yet.
    void AddNew(std::unique_ptr<CDrawingObject> object);
    // An object of the document, to be taken out later.
    void AddExisting(CDrawingObject* object);

    // Appends each held object to the document; each becomes the only
    // selection in turn, so the last stays selected.
    void Append(CLoopEditor& view);
    // Takes every object the document holds out, in order, noting its position.
    void TakeOut(CLoopEditor& view);
    // Puts the objects back where they were taken out (the last taken first,
    // so that each position means what it meant) and selects them all.
    void PutBack(CLoopEditor& view);

    std::size_t GetCount() const { return m_entries.size(); }
    CDrawingObject* GetObject(std::size_t i) const;
    bool IsHeld(std::size_t i) const;

private:
    struct Entry {
        CDrawingObject* object = nullptr;
        std::unique_ptr<CDrawingObject> owned;
        std::size_t position = 0;
    };
    std::vector<Entry> m_entries;
};
