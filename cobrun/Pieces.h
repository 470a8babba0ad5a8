#pragma once
#include <vector>

namespace cobrun {

// One axis of one piece. Angles count 65536 to the full turn and stay within half a turn either
// side of 0; positions count 65536 to the unit of length. Speeds are per second, accelerations
// per second squared.
struct AxisState {
    double angle = 0;
    double position = 0;
    bool turning = false;
    double turnTarget = 0;
    double turnSpeed = 0;
    bool moving = false;
    double moveTarget = 0;
    double moveSpeed = 0;
    bool spinning = false;
    bool stopping = false;  // a spin slowing down to rest
    double spinSpeed = 0;
    double spinTarget = 0;
    double spinAcceleration = 0;
};

// A motion that came to rest during a step.
struct Arrival {
    enum class Kind { kTurned, kMoved, kSpinStopped };
    Kind kind;
    int piece;
    int axis;
};

constexpr int kAxes = 3;
constexpr double kFullTurn = 65536;

// The angle in (-half turn, half turn].
double NormalAngle(double angle);

// Every piece's three axes, and the motions under way. Only axes in motion are visited per step.
class Pieces {
public:
    explicit Pieces(int count) : axes_(static_cast<std::size_t>(count) * kAxes) {}

    const AxisState& State(int piece, int axis) const { return axes_[Slot(piece, axis)]; }

    // A turn goes the short way round; a speed of 0 never arrives. Turning stops a spin.
    void Turn(int piece, int axis, double target, double speed);
    void TurnNow(int piece, int axis, double target);
    void Move(int piece, int axis, double target, double speed);
    void MoveNow(int piece, int axis, double target);
    // An acceleration of 0 reaches the speed at once.
    void Spin(int piece, int axis, double speed, double acceleration);
    // A deceleration of 0 stops at once.
    void StopSpin(int piece, int axis, double deceleration);

    // True while a turn, or a spin slowing to rest, is under way.
    bool IsTurning(int piece, int axis) const;
    bool IsMoving(int piece, int axis) const { return State(piece, axis).moving; }
    // Turns, moves and spins slowing to rest; a steady spin goes on forever and does not count.
    bool AnyComingToRest() const;

    // Advances every motion by `seconds`. `changed` gets each piece axis slot (piece * 3 + axis)
    // that moved; the result lists what came to rest.
    std::vector<Arrival> Step(double seconds, std::vector<int>& changed);

private:
    std::size_t Slot(int piece, int axis) const { return static_cast<std::size_t>(piece) * kAxes + static_cast<std::size_t>(axis); }
    void Activate(std::size_t slot);
    bool InMotion(const AxisState& state) const { return state.turning || state.moving || state.spinning; }

    std::vector<AxisState> axes_;
    std::vector<std::size_t> active_;  // slots in motion, each once
    std::vector<bool> isActive_;
};

}  // namespace cobrun
