// The game wrappers: events, timers, drawables, the online game and its teams, identity and ratings.
#include "hostcore/World.h"
#include "pluginsdk/wrappers/GameWrapper.h"

using hostcore::traceFloat;
using hostcore::traceQuote;

namespace {

// One of the local player's match figures; 0 without a game.
template <typename Figure>
Figure matchFigure(const std::shared_ptr<hostcore::World>& world, Figure hostcore::MatchFigures::*figure) {
    return world ? world->game.figures.*figure : Figure{};
}

} // namespace

GameWrapper::GameWrapper(std::shared_ptr<hostcore::World> world)
    : world_(std::move(world)) {}

void GameWrapper::HookEvent(std::string eventName, std::function<void(std::string)> callback) {
    if (world_->tracing())
        world_->trace("HookEvent " + traceQuote(eventName));
    world_->addHook(std::move(eventName), std::move(callback));
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> callback) {
    if (world_->tracing())
        world_->trace("RegisterDrawable");
    world_->addDrawable(std::move(callback));
}

void GameWrapper::UnregisterDrawables() {
    if (world_->tracing())
        world_->trace("UnregisterDrawables");
    world_->clearDrawables();
}

void GameWrapper::SetTimeout(std::function<void(GameWrapper*)> callback, float delaySeconds) {
    if (world_->tracing())
        world_->trace("SetTimeout " + traceFloat(delaySeconds));
    world_->addTimer(std::move(callback), delaySeconds);
}

ServerWrapper GameWrapper::GetOnlineGame() {
    return world_->game.online ? ServerWrapper(world_) : ServerWrapper();
}

UniqueIDWrapper GameWrapper::GetUniqueID() {
    return UniqueIDWrapper(world_->playerId);
}

std::filesystem::path GameWrapper::GetDataFolder() {
    return world_->dataFolder;
}

MMRWrapper GameWrapper::GetMMRWrapper() {
    return MMRWrapper(world_);
}

ActorWrapper::ActorWrapper(std::shared_ptr<hostcore::World> world)
    : world_(std::move(world)) {}

bool ActorWrapper::IsNull() const {
    return world_ == nullptr;
}

UnrealStringWrapper::UnrealStringWrapper(std::string text)
    : text_(std::move(text)) {}

std::string UnrealStringWrapper::ToString() const {
    return text_;
}

UniqueIDWrapper::UniqueIDWrapper(std::string id)
    : id_(std::move(id)) {}

std::string UniqueIDWrapper::str() const {
    return id_;
}

GameSettingPlaylistWrapper GameEventWrapper::GetPlaylist() const {
    return GameSettingPlaylistWrapper(world_);
}

PlayerControllerWrapper GameEventWrapper::GetLocalPrimaryPlayer() const {
    if (!world_ || world_->game.local == hostcore::LocalPlayer::NoController)
        return PlayerControllerWrapper();
    return PlayerControllerWrapper(world_);
}

ArrayWrapper<TeamWrapper> TeamGameEventWrapper::GetTeams() const {
    int count = world_ ? static_cast<int>(world_->game.teamScores.size()) : 0;
    return ArrayWrapper<TeamWrapper>(world_, count);
}

TeamWrapper ServerWrapper::GetMatchWinner() const {
    if (!world_ || !world_->game.winnerTeam)
        return TeamWrapper();
    return TeamWrapper(world_, *world_->game.winnerTeam);
}

UnrealStringWrapper GameSettingPlaylistWrapper::GetTitle() const {
    return UnrealStringWrapper(world_ ? world_->game.playlist.title : std::string());
}

std::uint32_t GameSettingPlaylistWrapper::GetbRanked() const {
    return world_ ? world_->game.playlist.ranked : 0;
}

int GameSettingPlaylistWrapper::GetPlaylistId() const {
    return world_ ? world_->game.playlist.id : 0;
}

bool GameSettingPlaylistWrapper::IsLanMatch() const {
    return world_ && world_->game.playlist.lan;
}

bool GameSettingPlaylistWrapper::IsPrivateMatch() const {
    return world_ && world_->game.playlist.privateMatch;
}

TeamInfoWrapper::TeamInfoWrapper(std::shared_ptr<hostcore::World> world, int index)
    : index_(index) {
    if (world && index >= 0 && index < static_cast<int>(world->game.teamScores.size()))
        world_ = std::move(world);
}

int TeamInfoWrapper::GetScore() const {
    return world_ ? world_->game.teamScores[static_cast<std::size_t>(index_)] : 0;
}

unsigned char TeamInfoWrapper::GetTeamNum() const {
    return world_ ? static_cast<unsigned char>(index_) : 0;
}

PriWrapper PlayerControllerWrapper::GetPRI() const {
    if (!world_ || world_->game.local == hostcore::LocalPlayer::NoReplicationInfo)
        return PriWrapper();
    return PriWrapper(world_);
}

unsigned char PlayerReplicationInfoWrapper::GetTeamNum() const {
    return world_ ? world_->game.localTeam : 0;
}

int PriWrapper::GetMatchScore() const {
    return matchFigure(world_, &hostcore::MatchFigures::points);
}
int PriWrapper::GetMatchGoals() const {
    return matchFigure(world_, &hostcore::MatchFigures::goals);
}
int PriWrapper::GetMatchAssists() const {
    return matchFigure(world_, &hostcore::MatchFigures::assists);
}
int PriWrapper::GetMatchSaves() const {
    return matchFigure(world_, &hostcore::MatchFigures::saves);
}
int PriWrapper::GetMatchShots() const {
    return matchFigure(world_, &hostcore::MatchFigures::shots);
}
int PriWrapper::GetMatchDemolishes() const {
    return matchFigure(world_, &hostcore::MatchFigures::demos);
}
std::uint32_t PriWrapper::GetbMatchMVP() const {
    return matchFigure(world_, &hostcore::MatchFigures::mvp);
}

MMRNotifierToken::MMRNotifierToken(std::weak_ptr<hostcore::World> world, int id)
    : world_(std::move(world))
    , id_(id) {}

MMRNotifierToken::~MMRNotifierToken() {
    if (auto world = world_.lock())
        world->removeRatingNotifier(id_);
}

MMRWrapper::MMRWrapper(std::shared_ptr<hostcore::World> world)
    : world_(std::move(world)) {}

std::unique_ptr<MMRNotifierToken>
MMRWrapper::RegisterMMRNotifier(std::function<void(UniqueIDWrapper)> callback) {
    if (world_->tracing())
        world_->trace("RegisterMMRNotifier");
    int id = world_->addRatingNotifier(std::move(callback));
    return std::make_unique<MMRNotifierToken>(world_, id);
}

float MMRWrapper::GetPlayerMMR(UniqueIDWrapper id, int playlistId) {
    if (id.str() != world_->playerId)
        return 0;
    auto rating = world_->game.ratings.find(playlistId);
    return rating == world_->game.ratings.end() ? 0.0f : rating->second;
}

CanvasWrapper::CanvasWrapper(std::shared_ptr<hostcore::World> world)
    : world_(std::move(world)) {}

void CanvasWrapper::SetPosition(Vector2 position) {
    if (world_->traceSink)
        if (world_->tracing())
            world_->trace("SetPosition " + std::to_string(position.X) + " " + std::to_string(position.Y));
    if (world_->recordDrawing)
        world_->recordDraw({hostcore::DrawCall::Kind::SetPosition, position.X, position.Y, 0, 0, {}, 0, 0});
}

void CanvasWrapper::SetColor(unsigned char red, unsigned char green, unsigned char blue,
                             unsigned char alpha) {
    if (world_->traceSink)
        if (world_->tracing())
            world_->trace("SetColor " + std::to_string(red) + " " + std::to_string(green) + " " +
                          std::to_string(blue) + " " + std::to_string(alpha));
    if (world_->recordDrawing)
        world_->recordDraw({hostcore::DrawCall::Kind::SetColor, red, green, blue, alpha, {}, 0, 0});
}

void CanvasWrapper::DrawRect(Vector2 topLeft, Vector2 bottomRight) {
    if (world_->traceSink)
        if (world_->tracing())
            world_->trace("DrawRect " + std::to_string(topLeft.X) + " " + std::to_string(topLeft.Y) + " " +
                          std::to_string(bottomRight.X) + " " + std::to_string(bottomRight.Y));
    if (world_->recordDrawing)
        world_->recordDraw({hostcore::DrawCall::Kind::DrawRect,
                            topLeft.X,
                            topLeft.Y,
                            bottomRight.X,
                            bottomRight.Y,
                            {},
                            0,
                            0});
}

void CanvasWrapper::DrawString(std::string text, float xScale, float yScale) {
    if (world_->traceSink)
        if (world_->tracing())
            world_->trace("DrawString " + traceQuote(text) + " " + traceFloat(xScale) + " " +
                          traceFloat(yScale));
    if (world_->recordDrawing)
        world_->recordDraw(
            {hostcore::DrawCall::Kind::DrawString, 0, 0, 0, 0, std::move(text), xScale, yScale});
}
