#pragma once

// Resource ids of the behaviour pages: their dialog templates and the
// controls on them. Control ids are per template; the same number names
// different controls on different pages.

#include "platform/gfx/d3d9_types.h"

// ---- Dialog templates ----
constexpr UINT IDD_SEPARATION_PAGE = 131;
constexpr UINT IDD_AVOIDANCE_PAGE = 132;
constexpr UINT IDD_ALIGNMENT_PAGE = 133;
constexpr UINT IDD_COHESION_PAGE = 134;
constexpr UINT IDD_CRUISING_PAGE = 135;
constexpr UINT IDD_STAY_IN_SPHERE_PAGE = 136;

// ---- On every page ----
constexpr int IDC_GAIN_SLIDER = 1001;
constexpr int IDC_APPLY = 1002;
constexpr int IDC_DEFAULTS = 1009;

// The label showing a trackbar's value sits right of it, with the
// trackbar's id plus this offset.
constexpr int kSliderValueLabelOffset = 100;
constexpr int SliderValueLabelId(int trackbarId) {
    return trackbarId + kSliderValueLabelOffset;
}

// ---- Separation page ----
constexpr int IDC_MIN_SEPARATION_SLIDER = 1003;
constexpr int IDC_MAX_SEPARATION_SLIDER = 1005;
constexpr int IDC_SEPARATION_DISTANCE = 1006;

// ---- Alignment and cohesion pages ----
constexpr int IDC_TURN_RATE = 1004;

// ---- Avoidance page ----
constexpr int IDC_AVOIDANCE_SPEED = 1005;
constexpr int IDC_AVOIDANCE_DISTANCE = 1008;

// ---- Cruising page ----
constexpr int IDC_MOVE_Z_SLIDER = 1003;
constexpr int IDC_MOVE_X_SLIDER = 1004;
constexpr int IDC_MAX_RATE_CHANGE = 1005;
constexpr int IDC_MIN_RANDOM_MOVE = 1006;
constexpr int IDC_MIN_RATE_CHANGE = 1007;
constexpr int IDC_MOVE_Y_SLIDER = 1008;

// ---- Stay-in-sphere page ----
constexpr int IDC_RADIUS = 1005;
constexpr int IDC_CENTER_X = 1006;
constexpr int IDC_CENTER_Y = 1007;
constexpr int IDC_CENTER_Z = 1008;
