#include "cobrun/Pieces.h"

#include <cmath>

namespace cobrun {
namespace {

// Moves `value` towards `target` by at most `step`; true when it got there. The slack keeps
// rounding from adding a frame to a motion that takes a whole number of steps.
bool Approach(double& value, double target, double step) {
    if (std::fabs(target - value) <= step + 1e-6) {
        value = target;
        return true;
    }
    value += target > value ? step : -step;
    return false;
}

}  // namespace

double NormalAngle(double angle) {
    double a = std::fmod(angle, kFullTurn);
    if (a > kFullTurn / 2) a -= kFullTurn;
    if (a <= -kFullTurn / 2) a += kFullTurn;
    return a;
}

void Pieces::Activate(std::size_t slot) {
    if (isActive_.empty()) isActive_.assign(axes_.size(), false);
    if (isActive_[slot]) return;
    isActive_[slot] = true;
    active_.push_back(slot);
}

void Pieces::Turn(int piece, int axis, double target, double speed) {
    AxisState& s = axes_[Slot(piece, axis)];
    s.turning = true;
    s.turnTarget = NormalAngle(target);
    s.turnSpeed = std::fabs(speed);
    s.spinning = s.stopping = false;
    s.spinSpeed = 0;
    Activate(Slot(piece, axis));
}

void Pieces::TurnNow(int piece, int axis, double target) {
    AxisState& s = axes_[Slot(piece, axis)];
    s.angle = NormalAngle(target);
    s.turning = s.spinning = s.stopping = false;
    s.spinSpeed = 0;
    Activate(Slot(piece, axis));  // so that the jump is recorded
}

void Pieces::Move(int piece, int axis, double target, double speed) {
    AxisState& s = axes_[Slot(piece, axis)];
    s.moving = true;
    s.moveTarget = target;
    s.moveSpeed = std::fabs(speed);
    Activate(Slot(piece, axis));
}

void Pieces::MoveNow(int piece, int axis, double target) {
    AxisState& s = axes_[Slot(piece, axis)];
    s.position = target;
    s.moving = false;
    Activate(Slot(piece, axis));
}

void Pieces::Spin(int piece, int axis, double speed, double acceleration) {
    AxisState& s = axes_[Slot(piece, axis)];
    s.turning = s.stopping = false;
    s.spinning = true;
    s.spinTarget = speed;
    s.spinAcceleration = std::fabs(acceleration);
    if (acceleration == 0) s.spinSpeed = speed;
    Activate(Slot(piece, axis));
}

void Pieces::StopSpin(int piece, int axis, double deceleration) {
    AxisState& s = axes_[Slot(piece, axis)];
    if (!s.spinning) return;
    s.spinTarget = 0;
    s.spinAcceleration = std::fabs(deceleration);
    s.stopping = true;
    if (deceleration == 0) s.spinSpeed = 0;
}

bool Pieces::IsTurning(int piece, int axis) const {
    const AxisState& s = State(piece, axis);
    return s.turning || (s.spinning && s.stopping);
}

bool Pieces::AnyComingToRest() const {
    for (std::size_t slot : active_) {
        const AxisState& s = axes_[slot];
        if (s.turning || s.moving || (s.spinning && s.stopping)) return true;
    }
    return false;
}

std::vector<Arrival> Pieces::Step(double seconds, std::vector<int>& changed) {
    std::vector<Arrival> arrivals;
    std::size_t kept = 0;
    for (std::size_t slot : active_) {
        AxisState& s = axes_[slot];
        const int piece = static_cast<int>(slot / kAxes);
        const int axis = static_cast<int>(slot % kAxes);
        changed.push_back(static_cast<int>(slot));
        if (s.turning) {
            double delta = NormalAngle(s.turnTarget - s.angle);
            double moved = 0;
            if (Approach(moved, delta, s.turnSpeed * seconds)) {
                s.turning = false;
                arrivals.push_back({Arrival::Kind::kTurned, piece, axis});
            }
            s.angle = s.turning ? NormalAngle(s.angle + moved) : s.turnTarget;
        }
        if (s.spinning) {
            bool reached = Approach(s.spinSpeed, s.spinTarget, s.spinAcceleration * seconds);
            s.angle = NormalAngle(s.angle + s.spinSpeed * seconds);
            if (reached && s.stopping) {
                s.spinning = s.stopping = false;
                arrivals.push_back({Arrival::Kind::kSpinStopped, piece, axis});
            }
        }
        if (s.moving && Approach(s.position, s.moveTarget, s.moveSpeed * seconds)) {
            s.moving = false;
            arrivals.push_back({Arrival::Kind::kMoved, piece, axis});
        }
        if (InMotion(s)) {
            active_[kept++] = slot;
        } else {
            isActive_[slot] = false;
        }
    }
    active_.resize(kept);
    return arrivals;
}

}  // namespace cobrun
