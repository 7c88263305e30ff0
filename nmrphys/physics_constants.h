// Physical constants of the formula library, as the literals it uses.
#pragma once

namespace phys {
inline constexpr double kPlanck = 6.62606957e-34;  // J s
inline constexpr double kHbar = 1.054571726e-34;   // J s
inline constexpr double kLight = 299792458.0;      // m/s
inline constexpr double kPlanckByLight = 2.2102189008370582e-42;
inline constexpr double kEpsilon0 = 8.8541878128e-12;  // F/m
inline constexpr double kMu0 = 1.25663706e-6;          // H/m
inline constexpr double kMu0By4Pi = 9.999999988573333e-8;
inline constexpr double kStefanBoltzmann = 5.670373e-8;  // W/(m^2 K^4)
inline constexpr double kWienLambda = 0.002897771955;    // m K
inline constexpr double kWienHz = 58789238110.0;         // Hz/K
inline constexpr double kStandardGravity = 9.80665;      // m/s^2
}  // namespace phys
