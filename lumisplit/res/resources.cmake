# filled in as the GUI grows
