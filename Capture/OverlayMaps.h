#pragma once

namespace Vorlune {

// Makes the message map of every overlay class and of the countdown window. Called first at
// start-up: the maps must outlive the modes that hold handlers in them, and statics go in
// the reverse order they were made.
void TouchOverlayMessageMaps();

}  // namespace Vorlune
