#include "live/LiveView.h"

#include "live/AccountFiles.h"
#include "live/LivePages.h"
#include "live/SessionJson.h"
#include "statsfile/FileName.h"
#include "statsfile/PathText.h"

namespace {

// The status while a data folder holds no stats file yet.
const FollowStatus kNoStatsFileYet{FollowState::Missing,
                                   "holds no stats file (<player id>_Tallyglass.csv) yet"};

// The player id a followed file's name holds, if it holds one.
std::optional<std::string> accountOf(const std::filesystem::path& file) {
    try {
        return playerIdOfAccountFileName(pathToUtf8(file.filename()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

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
    for (const auto& [name, content] : bandTextFiles(SessionView{}, RatingBands()))
        names.push_back(name);
    return names;
}

LiveView::LiveView(const LiveOptions& options, LiveSurroundings& surroundings)
    : options_(options)
    , surroundings_(surroundings)
    , outputs_(options.outFolder) {
    const std::int64_t clock = surroundings_.clock();
    clockOffset_ = options.now ? *options.now - clock : 0;
    start_ = clock + clockOffset_;
    if (options_.dataFolder.empty())
        followFile(options_.statsFile);
}

std::int64_t LiveView::now() const {
    return surroundings_.clock() + clockOffset_;
}

std::optional<std::int64_t> LiveView::notBefore() const {
    return options_.sinceStart ? std::optional(start_) : std::nullopt;
}

void LiveView::followFile(const std::filesystem::path& file) {
    followed_ = file;
    follower_ = std::make_unique<StatsFollower>(file, options_.sessionGapSeconds, notBefore());
    ++followings_;
    toldStatus_.reset();
    toldReadings_ = 0;
}

void LiveView::chooseFile() {
    if (options_.dataFolder.empty())
        return;
    const std::optional<AccountFile> chosen = fileToFollow(accountFilesIn(options_.dataFolder), followed_);
    if (!chosen || chosen->path == followed_)
        return;
    const bool first = followed_.empty();
    followFile(chosen->path);
    if (!options_.once)
        surroundings_.out << (first ? "Following " : "Now following ") << pathToUtf8(followed_)
                          << " (player id " << chosen->account << ")\n";
}

const FollowStatus& LiveView::status() const {
    return follower_ ? follower_->status() : kNoStatsFileYet;
}

bool LiveView::readBands() {
    if (!options_.bands)
        return true;
    try {
        bands_ = RatingBands::read(*options_.bands, pathToUtf8(*options_.bands));
        return true;
    } catch (const BandsFileError& failure) {
        surroundings_.err << kProgram << failure.what() << '\n';
        return false;
    }
}

bool LiveView::readWhole() {
    chooseFile();
    if (!follower_) {
        surroundings_.err << kProgram << pathToUtf8(options_.dataFolder) << ": " << kNoStatsFileYet.detail
                          << '\n';
        return false;
    }
    follower_->poll(now(), true);
    const FollowStatus& status = follower_->status();
    if (status.state == FollowState::Reading)
        return true;
    surroundings_.err << kProgram << pathToUtf8(followed_) << ": " << status.detail << '\n';
    return false;
}

int LiveView::writeOnce() {
    const SessionView session = follower_->session(now());
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
    if (options_.dataFolder.empty())
        surroundings_.out << "Following " << pathToUtf8(options_.statsFile) << '\n';
    else
        surroundings_.out << "Following the stats file in " << pathToUtf8(options_.dataFolder)
                          << " that changed last\n";
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
    chooseFile();
    if (follower_)
        follower_->poll(moment);
    tellStatus();
    static const SessionView kNoSession;
    const SessionView& session = follower_ ? follower_->session(moment) : kNoSession;
    if (follower_) {
        tellSkips(follower_->readings() != toldReadings_, session.skippedLines);
        toldReadings_ = follower_->readings();
    }
    // Worked out from what was shown already: nothing to compare or write.
    const std::pair<std::uint64_t, std::uint64_t> from{followings_,
                                                       follower_ ? follower_->sessionsWorkedOut() : 0};
    if (from != shownFrom_ || status() != *shownStatus_) {
        if (!shownSession_ || session != *shownSession_ || status() != *shownStatus_ ||
            from.first != shownFrom_->first) {
            if (shownSession_ &&
                (session.matches != shownSession_->matches || session.start != shownSession_->start))
                tellSession(session);
            render(session);
            shownSession_ = session;
        }
        shownStatus_ = status();
        shownFrom_ = from;
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
    if (!followed_.empty()) {
        context.fileName = pathToUtf8(followed_.filename());
        context.account = accountOf(followed_);
    }
    context.updated = now();
    context.sessionGapSeconds = options_.sessionGapSeconds;
    if (options_.sinceStart)
        context.sinceStart = start_;
    context.status = statusSentence();
    context.bands = &bands_;
    const nlohmann::ordered_json json = sessionJson(session, context);
    outputs_.set(kLivePageName, livePage());
    outputs_.set(kOverlayPageName, overlayPage());
    outputs_.set(kJsonName, jsonText(json, 2) + "\n");
    outputs_.set(kDataScriptName, sessionScript(json));
    for (auto& [name, content] : textFiles(session))
        outputs_.set(name, std::move(content));
    for (auto& [name, content] : bandTextFiles(session, bands_))
        outputs_.set(name, std::move(content));
}

std::optional<std::string> LiveView::statusSentence() const {
    const FollowStatus& status = this->status();
    switch (status.state) {
    case FollowState::Reading:
        return std::nullopt;
    case FollowState::Missing:
        if (!follower_)
            return "Waiting for a stats file in the folder: it appears with the first recorded match.";
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
    const FollowStatus& status = this->status();
    if (toldStatus_ && status == *toldStatus_)
        return;
    const std::string name = pathToUtf8(follower_ ? followed_ : options_.dataFolder);
    switch (status.state) {
    case FollowState::Reading:
        if (toldStatus_)
            surroundings_.err << kProgram << name << ": reading\n";
        break;
    case FollowState::Missing:
        if (!follower_) {
            surroundings_.err << kProgram << name << ": " << status.detail
                              << "; waiting for one (it appears with the first recorded match)\n";
            break;
        }
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
    const std::vector<RefusedLine> skips = follower_->takeRecentSkips();
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
