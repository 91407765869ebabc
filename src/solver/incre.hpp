#pragma once
namespace orbcalc { void incre(); }
