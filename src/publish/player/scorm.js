// The player's link to a learning platform's SCORM API goes here.
