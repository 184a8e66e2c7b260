#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "comm/OnlineSession.h"

class CBlock;
class CConfController;
class CGraphLink;
class CLoopView;

// The online side of a loop view: it starts and ends the view's worker, turns
// the worker's posted messages into the boxes and hand-overs of the window,
// swaps the links' value labels in while monitoring and writes the values of
// each pass on them. Everything here runs on the user-interface thread; the
// worker reaches it only through posted events.
class CLoopViewOnline : public QObject {
    Q_OBJECT

public:
    // Sends the changed loops through the borrowed controller (with the
    // program's question and progress box); false on failure.
    using SendHandler = std::function<bool(CConfController& controller, bool monitoring)>;
    // Shows the block monitor of a block (modal); the view's worker is parked.
    using BlockMonitorHandler = std::function<void(CBlock& block, int loopNumber)>;
    // Told of the values of each pass after they are on the links.
    using ValuesListener = std::function<void(const std::vector<CBlockValues>& values)>;
    using Notification = std::function<void()>;
    // Puts the value of a block's output (its place among the block's values)
    // on a trend, under a name.
    using TrendHandler =
        std::function<void(int blockNumber, int position, const std::string& name)>;

    // Identifiers of the buttons of the "Monitoring" box.
    static constexpr int kRetryButton = 4;
    static constexpr int kGoOfflineButton = 1017;

    explicit CLoopViewOnline(CLoopView& view);
    // Takes the view offline; nothing is left running.
    ~CLoopViewOnline() override;
    CLoopViewOnline(const CLoopViewOnline&) = delete;
    CLoopViewOnline& operator=(const CLoopViewOnline&) = delete;

    // Starts online mode with the settings (an earlier worker ends first).
    bool GoOnline(const CCommunicationData& settings);
    void LeaveOnlineMode();
    // "Monitor": online ⇄ monitoring.
    void OnMonitoring();
    // "Update": the worker parks and the changed loops are sent.
    void RequestSendToDevice();
    // "Monitor current block": only while online and not monitoring.
    void RequestBlockMonitor();

    // Enabling of the three commands. CheckMonitoring is the regular check
    // that ends monitoring once a loop has been changed.
    bool CanMonitor() const;
    bool IsMonitorChecked() const;
    bool CanUpdate() const;
    bool CanMonitorBlock() const;
    void CheckMonitoring();

    bool IsOnline() const { return m_session.IsOnline(); }
    bool IsMonitoring() const { return m_session.IsMonitoring(); }
    COnlineSession& GetSession() { return m_session; }
    // The document update hints the view passes on.
    void OnDocumentUpdate(long hint);
    // "Add to Trend" of a link's menu: while monitoring, for a link from a block.
    bool CanAddToTrend(const CGraphLink& link) const;
    void AddToTrend(const CGraphLink& link);
    // The value a link shows, as its output label reads it ("" when none).
    static std::string ValueOf(const CGraphLink& link);
    // The blocks of the shown loop's drawing in drawing order.
    std::vector<CMonitoredBlock> MonitoredBlocks() const;

    void SetSendHandler(SendHandler handler) { m_onSend = std::move(handler); }
    void SetBlockMonitorHandler(BlockMonitorHandler handler) {
        m_onBlockMonitor = std::move(handler);
    }
    void SetValuesListener(ValuesListener listener) { m_onValues = std::move(listener); }
    // Told whenever the online state changed (commands and lights follow it).
    void SetStateListener(Notification listener) { m_onState = std::move(listener); }
    void SetTrendHandler(TrendHandler handler) { m_onTrend = std::move(handler); }

protected:
    bool event(QEvent* event) override;

private:
    void OnThreadCommError();
    void OnThreadSendToDevice();
    void OnThreadBlockMonitor();
    void OnThreadShutdown();
    void OnValuesReady();
    void EnterMonitoringDisplay();
    void LeaveMonitoringDisplay();
    void ApplyValues(const std::vector<CBlockValues>& values);
    CBlock* SelectedBlock() const;
    // The source block of a link and the place of its output; null when the
    // link does not start at a block.
    const CBlock* SourceOf(const CGraphLink& link, int& position) const;
    void NotifyState();

    CLoopView& m_view;
    COnlineSession m_session;
    // Events of an earlier worker are told apart by this number.
    std::atomic<long> m_nGeneration{0};
    bool m_bDisplay = false;
    SendHandler m_onSend;
    BlockMonitorHandler m_onBlockMonitor;
    ValuesListener m_onValues;
    Notification m_onState;
    TrendHandler m_onTrend;
};
