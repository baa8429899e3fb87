#pragma once

// Registers the toolkit's own component classes with the description reader
// (TLabel, TBevel, TButton, TEdit, TListBox, TPrintDialog and the
// file-selection controls). Called by LoadWindowDescription; calling it again
// does nothing.
void RegisterStandardComponents();
