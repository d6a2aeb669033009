int vorlane_placeholder;
