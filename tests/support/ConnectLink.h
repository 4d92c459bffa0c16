#pragma once

class Link;
class Port;

// Wires a link to a port as the program does once its port is open: opens
// the port, hands what arrives to the link's receiver, and marks the link
// connected. Returns whether the port opened.
bool connectLink(Link &link, Port &port);
