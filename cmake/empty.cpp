// Placeholder so the platform library exists while a build has no platform sources.
