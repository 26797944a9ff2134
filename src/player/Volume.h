#pragma once

class Form1;

// Puts the volume thumb where the held value says.
void placeVolumeThumb(Form1& form);
