#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/DrawingDefaults.h"
#include "document/DrawingItem.h"
#include "document/GeneralData.h"
#include "model/Configuration.h"
#include "platform/Document.h"
#include "platform/Size.h"

class CArchive;
class CConfDocObserver;

// The document of one controller configuration: the five loops and the model
// state, the drawing lists, the document information and the page settings,
// stored as a .vxp archive.
class CConfDoc : public CDocument, public CConfiguration {
public:
    // Indices of the information strings.
    enum InfoField {
        INFO_COMPANY,
        INFO_PROJECT,
        INFO_REVISION,
        INFO_LEADER,
        INFO_PROGRAMMER,
        INFO_DESCRIPTION,
        INFO_CREATION_VERSION,
        INFO_CREATION_BUILD,
        INFO_REVISION_VERSION,
        INFO_REVISION_BUILD,
        INFO_COUNT
    };
    static constexpr int kFormatVersion = 4;
    static constexpr const char* kExtension = ".vxp";
    static constexpr const char* kBackupExtension = ".bkp";
    // View update hint sent before a save and after a successful one (a view
    // leaves online mode on it).
    static constexpr long HINT_DOCUMENT_SAVED = 9;

    using DrawingList = std::vector<std::unique_ptr<CDrawingItem>>;

    CConfDoc();
    ~CConfDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

    // The observer told of every document's start, save and end (the undo
    // manager); returns the previous one.
    static CConfDocObserver* SetObserver(CConfDocObserver* observer);

    // The program's version and build texts stamped into saved documents.
    static std::string GetProgramVersion();
    static std::string GetProgramBuild();

    const std::string& GetInfo(int field) const;
    void SetInfo(int field, const std::string& text);
    int64_t GetCreationTime() const { return m_timeCreation; }
    int64_t GetRevisionTime() const { return m_timeRevision; }
    bool IsStamped() const { return m_nStamped != 0; }
    int GetFormatVersion() const { return m_nFormatVersion; }
    const uint8_t* GetVersionText() const { return m_versionText.data(); }
    void SetVersionText(const uint8_t text[4]);
    COLORREF GetPaperColor() const { return m_generalData.m_crPaper; }
    void SetPaperColor(COLORREF color) { m_generalData.m_crPaper = color; }
    CSize GetPageSize() const { return m_pageSize; }
    int GetPaperSize() const { return m_nPaperSize; }
    int GetOrientation() const { return m_nOrientation; }
    void SetPageSetup(CSize pageSize, int paperSize, int orientation);
    CGeneralData& GetGeneralData() { return m_generalData; }
    const CGeneralData& GetGeneralData() const { return m_generalData; }
    // Pen, brush and text attributes for new drawing objects (not stored).
    CDrawingDefaults& GetDrawingDefaults() { return m_drawingDefaults; }
    const CDrawingDefaults& GetDrawingDefaults() const { return m_drawingDefaults; }

    const std::string& GetConfigurationName() const { return m_strName; }
    void SetConfigurationName(const std::string& name) { m_strName = name; }
    bool IsNeverSaved() const { return m_bNeverSaved; }
    bool IsMustSaveAs() const { return m_bMustSaveAs; }
    void SetMustSaveAs(bool mustSaveAs) { m_bMustSaveAs = mustSaveAs; }
    bool IsRenameOnSave() const { return m_bRenameOnSave; }
    void SetRenameOnSave(bool renameOnSave) { m_bRenameOnSave = renameOnSave; }
    bool IsOpenedFromFile() const { return m_bOpenedFromFile; }

    // The document name follows the Loop G name: path = folder + Loop G name + ".vxp".
    bool IsNameDifferentFromLoopG() const;
    void RenameAfterLoopG();
    // After an import: named after the image file, in the document's folder, and
    // it must be saved under a name of the user's choice.
    void NameAfterImport(const std::string& name);

    // Drawing lists.
    const DrawingList& GetTemplates() const { return m_templates; }
    const DrawingList& GetObjects() const { return m_objects; }
    const DrawingList& GetGraphObjects() const { return m_graphObjects; }
    void AddDrawingObject(std::unique_ptr<CDrawingItem> object);
    void InsertDrawingObject(std::size_t position, std::unique_ptr<CDrawingItem> object,
                             bool markModified = true);
    // Takes a selected object out of its list and hands it back; null when the
    // object is not selected or not in a list.
    std::unique_ptr<CDrawingItem> RemoveDrawingObject(CDrawingItem* object);
    // The list that holds objects of the kind.
    const DrawingList& GetList(CDrawingItem::ListKind kind) const;
    // Puts the objects of a list in the given order; those the order does not
    // name follow in their present order. Undo restores drawing orders with it.
    void ArrangeList(CDrawingItem::ListKind kind, const std::vector<const CDrawingItem*>& order);
    // Moves an object within its list: by one place (step -1 or +1) or to the end
    // that is drawn last (toFront) or first (toBack). False when nothing moved.
    bool MoveInList(const CDrawingItem* object, int step);
    bool MoveToListEnd(const CDrawingItem* object, bool toFront);
    // Set while the current loop's drawing shows a block list picture (not stored).
    bool HasBlockList() const { return m_bHasBlockList; }
    void SetHasBlockList(bool has) { m_bHasBlockList = has; }
    CRect GetDrawingExtent() const;

    // Reads only the loops of a stored document into loops (five entries).
    static bool ReadLoopsFromFile(const std::string& path,
                                  std::array<std::unique_ptr<CLoop>, kLoopCount>& loops,
                                  bool reportErrors, std::string* error = nullptr);
    // True when the stored loop has the loop's name and every block of the loop
    // with the same number and LINK values; copies the stored user tags.
    static bool MatchLoopWithFile(CLoop& loop, const CLoop& stored);

protected:
    void OnConfigurationModified() override { SetModifiedFlag(true); }
    void OnLoopSelected(int loopNumber, bool updateViews) override;

private:
    // Reads the header of either layout; returns false for the old layout.
    static bool ReadHeader(CArchive& ar, CConfDoc* document);
    void WriteHeader(CArchive& ar) const;
    static void ReadLoops(CArchive& ar, std::array<std::unique_ptr<CLoop>, kLoopCount>& loops);
    static void ReadDrawingList(CArchive& ar, DrawingList& list);
    void WriteDrawingList(CArchive& ar, const DrawingList& list) const;
    DrawingList& ListFor(const CDrawingItem& object);
    template <class Document>
    static auto& ListOfKind(Document& document, CDrawingItem::ListKind kind);
    void Stamp();
    void ResetDocumentData();
    std::string BackupPathFor(const std::string& path) const;

    std::array<std::string, INFO_COUNT> m_info;
    int64_t m_timeCreation = 0;
    int64_t m_timeRevision = 0;
    int32_t m_nStamped = 0;
    int32_t m_nFormatVersion = kFormatVersion;
    std::array<uint8_t, 5> m_versionText = {};
    CSize m_pageSize{207, 268};
    int16_t m_nPaperSize = 9;    // A4
    int16_t m_nOrientation = 1;  // portrait
    CGeneralData m_generalData;
    CDrawingDefaults m_drawingDefaults;

    DrawingList m_templates;
    DrawingList m_objects;
    DrawingList m_graphObjects;

    std::string m_strName;
    bool m_bNeverSaved = false;
    bool m_bMustSaveAs = false;
    bool m_bRenameOnSave = false;
    bool m_bOpenedFromFile = false;
    bool m_bHasBlockList = false;
};
