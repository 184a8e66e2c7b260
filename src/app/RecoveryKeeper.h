#pragma once

#include <QTimer>
#include <memory>
#include <string>

class CDocumentRecovery;
class CMainFrame;
class QWidget;

// Keeps recovery copies of the main frame's modified documents while the
// program runs: every two minutes and before a transfer each modified
// document is copied; a document that has just become modified is copied, and
// a saved or closed document's copy removed, within a second.
// At start-up it offers the copies that a crashed or killed process left.
class CRecoveryKeeper {
public:
    static constexpr int kCopyIntervalMs = 2 * 60 * 1000;
    static constexpr int kSettleIntervalMs = 1000;

    // folder: where the copies live (ends in "/").
    CRecoveryKeeper(CMainFrame& frame, const std::string& folder);
    ~CRecoveryKeeper();
    CRecoveryKeeper(const CRecoveryKeeper&) = delete;
    CRecoveryKeeper& operator=(const CRecoveryKeeper&) = delete;

    // The recovery folder of the user: the state folder + "recovery/".
    static std::string DefaultFolder();

    // Copies every modified document now.
    void KeepAll();
    // Removes the copies of documents saved or closed since, and makes the
    // first copy of a document modified since (later ones wait for the
    // two-minute round).
    void Settle();
    // Asks whether the copies left by a process that is gone are to be
    // recovered ("Recover") or thrown away ("Discard"); opens the recovered
    // ones. Returns how many documents were recovered.
    int OfferRecovery(QWidget* parent);
    CDocumentRecovery& GetRecovery() { return *m_pRecovery; }

private:
    CMainFrame& m_frame;
    std::unique_ptr<CDocumentRecovery> m_pRecovery;
    QTimer m_copyTimer;
    QTimer m_settleTimer;
};
