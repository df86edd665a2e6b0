#pragma once

#include <QtGlobal>

// What a dialog is opened for; descendants pick their captions by it.
enum TDialogType : quint8 { dtDefault = 0, dtNew = 1, dtEdit = 2 };

// Modal results a button sets and a modal dialog answers with.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

// Where a form is placed when it is shown.
enum TPosition : quint8 {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter,
};

// The side of its parent a control is docked to.
enum TAlign : quint8 { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
