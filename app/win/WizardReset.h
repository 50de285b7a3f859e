#pragma once
// The wizard back at its start for a new or a loaded statement: the first
// page made active without the answer check and the rules of the page left,
// then every later step and every selected form removed.

class TMainForm;

// False when a step or a form could not be removed (the user was told).
bool ResetWizard(TMainForm& form);
