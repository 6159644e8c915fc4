#include "live/LiveView.h"

#include "live/LivePages.h"
#include "live/SessionJson.h"
#include "statsfile/PathText.h"

namespace {

constexpr const char* kProgram = "tallyglass-live: ";
constexpr const char* kLivePageName = "live.html";
constexpr const char* kOverlayPageName = "overlay.html";
constexpr const char* kJsonName = "session.json";

std::string streakText(std::int64_t streak) {
    if (streak == 0)
        return "-";
    // Appended rather than joined with operator+: GCC 12 at -O3 warns falsely (-Wrestrict) about the join.
    std::string text = streak > 0 ? "W" : "L";
    return text.append(std::to_string(streak > 0 ? streak : -streak));
}

} // namespace

std::vector<std::string> liveViewFileNames() {
    std::vector<std::string> names{kLivePageName, kOverlayPageName, kJsonName, kDataScriptName};
    for (const auto& [name, content] : textFiles(SessionView{}))
        names.push_back(name);
    return names;
}

LiveView::LiveView(const LiveOptions& options, LiveSurroundings& surroundings)
    : options_(options)
    , surroundings_(surroundings)
    , follower_(options.statsFile, options.sessionGapSeconds)
    , outputs_(options.outFolder) {
    const std::int64_t clock = surroundings_.clock();
    clockOffset_ = options.now ? *options.now - clock : 0;
    start_ = clock + clockOffset_;
}

std::int64_t LiveView::now() const {
    return surroundings_.clock() + clockOffset_;
}

bool LiveView::readWhole() {
    follower_.poll(now(), true);
    const FollowStatus& status = follower_.status();
    if (status.state == FollowState::Reading)
        return true;
    surroundings_.err << kProgram << pathToUtf8(options_.statsFile) << ": " << status.detail << '\n';
    return false;
}

int LiveView::writeOnce() {
    const SessionView session =
        follower_.session(now(), options_.sinceStart ? std::optional(start_) : std::nullopt);
    render(session);
    tellSkips(true, session.skippedLines);
    int status = 0;
    for (const OutputEvent& event : outputs_.write()) {
        surroundings_.err << kProgram << pathToUtf8(outputs_.pathOf(event.name))
                          << ": cannot be written: " << event.problem << '\n';
        status = 1;
    }
    if (status == 0)
        tellWhere();
    return status;
}

int LiveView::follow() {
    surroundings_.out << "Following " << pathToUtf8(options_.statsFile) << '\n';
    tellWhere();
    surroundings_.out << "Press Ctrl-C to stop; the files stay as last written.\n" << std::flush;
    do {
        look();
    } while (!surroundings_.stop.waitForStop(kLookInterval));
    surroundings_.out << "Stopped.\n" << std::flush;
    return 0;
}

void LiveView::look() {
    const std::int64_t moment = now();
    follower_.poll(moment);
    tellStatus();
    const SessionView session =
        follower_.session(moment, options_.sinceStart ? std::optional(start_) : std::nullopt);
    tellSkips(follower_.readings() != toldReadings_, session.skippedLines);
    toldReadings_ = follower_.readings();
    if (!shownSession_ || session != *shownSession_ || follower_.status() != *shownStatus_) {
        if (shownSession_ &&
            (session.matches != shownSession_->matches || session.start != shownSession_->start))
            tellSession(session);
        render(session);
        shownSession_ = session;
        shownStatus_ = follower_.status();
    }
    for (const OutputEvent& event : outputs_.write()) {
        if (event.problem.empty())
            surroundings_.err << kProgram << event.name << ": written again\n";
        else
            surroundings_.err << kProgram << pathToUtf8(outputs_.pathOf(event.name))
                              << ": cannot be written now (" << event.problem
                              << "); trying again at every update\n";
    }
    surroundings_.out << std::flush;
    surroundings_.err << std::flush;
}

void LiveView::render(const SessionView& session) {
    ViewContext context;
    context.fileName = pathToUtf8(options_.statsFile.filename());
    context.updated = now();
    context.sessionGapSeconds = options_.sessionGapSeconds;
    if (options_.sinceStart)
        context.sinceStart = start_;
    context.status = statusSentence();
    const nlohmann::ordered_json json = sessionJson(session, context);
    outputs_.set(kLivePageName, livePage());
    outputs_.set(kOverlayPageName, overlayPage());
    outputs_.set(kJsonName, jsonText(json, 2) + "\n");
    outputs_.set(kDataScriptName, sessionScript(json));
    for (auto& [name, content] : textFiles(session))
        outputs_.set(name, std::move(content));
}

std::optional<std::string> LiveView::statusSentence() const {
    const FollowStatus& status = follower_.status();
    switch (status.state) {
    case FollowState::Reading:
        return std::nullopt;
    case FollowState::Missing:
        return "Waiting for the stats file: it appears with the first recorded match.";
    case FollowState::Empty:
        return "The stats file is empty: waiting for its first line.";
    case FollowState::Unreadable:
        return "The stats file cannot be read now (" + status.detail + "); trying again.";
    case FollowState::NotStatsFile:
        return "The stats file cannot be read as one (" + status.detail + "); read again when it changes.";
    }
    return std::nullopt;
}

void LiveView::tellStatus() {
    const FollowStatus& status = follower_.status();
    if (toldStatus_ && status == *toldStatus_)
        return;
    const std::string name = pathToUtf8(options_.statsFile);
    switch (status.state) {
    case FollowState::Reading:
        if (toldStatus_)
            surroundings_.err << kProgram << name << ": reading\n";
        break;
    case FollowState::Missing:
        surroundings_.err << kProgram << name << ": not there yet; waiting for it (it appears with the first "
                          << "recorded match)\n";
        break;
    case FollowState::Empty:
        surroundings_.err << kProgram << name << ": is empty; waiting for its first line\n";
        break;
    case FollowState::Unreadable:
        surroundings_.err << kProgram << name << ": " << status.detail << "; trying again every second\n";
        break;
    case FollowState::NotStatsFile:
        surroundings_.err << kProgram << name << ": " << status.detail << "; read again when it changes\n";
        break;
    }
    toldStatus_ = status;
}

void LiveView::tellSkips(bool wholeReading, std::uint64_t count) {
    const std::vector<RefusedLine> skips = follower_.takeRecentSkips();
    if (skips.empty())
        return;
    if (wholeReading) {
        surroundings_.err << kProgram << count << (count == 1 ? " line" : " lines")
                          << " of the file skipped (no match); the first: line " << skips.front().line << ": "
                          << skips.front().reason << '\n';
        return;
    }
    for (const RefusedLine& skip : skips)
        surroundings_.err << kProgram << "line " << skip.line << " skipped: " << skip.reason << '\n';
}

void LiveView::tellSession(const SessionView& session) {
    std::ostream& out = surroundings_.out;
    if (session.matches == 0) {
        out << "Session: no match yet\n";
        return;
    }
    out << "Session: " << session.wins << "-" << session.losses << ", streak " << streakText(session.streak);
    const SessionMatch& last = *session.lastMatch();
    const SessionPlaylist& playlist = session.playlists[*session.lastPlaylist];
    out << "; last: " << plainTitle(last.playlist) << " " << last.record.myTeamGoals << "-"
        << last.record.otherTeamGoals << (last.record.win ? " W" : " L");
    if (playlist.rating)
        out << ", rating " << *playlist.rating << " (" << (*playlist.ratingChange > 0 ? "+" : "")
            << *playlist.ratingChange << ")";
    out << '\n';
}

void LiveView::tellWhere() {
    std::ostream& out = surroundings_.out;
    out << "Live view, for a browser:        " << pathToUtf8(outputs_.pathOf(kLivePageName)) << '\n'
        << "Overlay, for a browser source:   " << pathToUtf8(outputs_.pathOf(kOverlayPageName)) << '\n'
        << "Text files, for text sources in: " << pathToUtf8(outputs_.folder()) << '\n';
}
