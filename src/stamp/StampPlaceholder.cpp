// Replaced by the photo loading and stamp code.
