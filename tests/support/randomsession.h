#pragma once

// Real actions chosen at random, as a user would make them through the window: new boxes
// and objects, typing, choosers, drags, moves, Delete, alarms, reports and dropped files.

#include "support/testsupport.h"

#include <QRandomGenerator>

#include <functional>

// One action. Some begin with a click on an object, itself an action: done() follows each
// action. serial names new boxes and dropped files.
void randomAction(Harness &h, QRandomGenerator &random, int serial,
                  const std::function<void()> &done);
