namespace veldo::app { int anchor = 0; }
