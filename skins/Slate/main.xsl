<?xml version="1.0" encoding="UTF-8"?>
<!-- Slate's main page: the fan list and the hardware monitor's readings in
     the framed panel of back.bmp. The frame document carries no data; the
     fan plug-in's and the monitor's values arrive in the elements whose id
     is section+item+field on every update tick. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>

  <!-- Four rows of 28 pixels from y 42: one per fan output of the chip. -->
  <xsl:template name="fan">
    <xsl:param name="n"/>
    <xsl:variable name="id" select="concat('FAN+ZEFAN_FAN_', $n, '+')"/>
    <DIV ID="row_{$n}" CLASS="fan idle" STYLE="top:{42 + 28 * $n}px;">
      <DIV ID="{$id}CAPTION" CLASS="cap">&#8212;</DIV>
      <DIV CLASS="detail"><SPAN ID="{$id}TARGET_TEMP">&#8212;</SPAN> &#176;C &#183; stop <SPAN ID="{$id}STOP_PWM">&#8212;</SPAN></DIV>
      <DIV ID="{$id}PWM_DUTYCYCLE" CLASS="duty">&#8212;</DIV>
      <DIV CLASS="track"><DIV ID="bar_{$n}" CLASS="fill"></DIV></DIV>
    </DIV>
  </xsl:template>

  <!-- The monitor names its items by the chip's pins, so these ids hold on
       every board; a reading never written stays hidden (main.js). Fan
       speeds in three columns of two rows below the temperatures. -->
  <xsl:template name="speed">
    <xsl:param name="n"/>
    <xsl:param name="pin"/>
    <DIV ID="speed_{$pin}" CLASS="speed reading unused" STYLE="left:{20 + 70 * ($n mod 3)}px;top:{180 + 24 * floor($n div 3)}px;">
      <SPAN ID="FANSPEED+{$pin}+CAPTION" CLASS="name"></SPAN>
      <SPAN ID="FANSPEED+{$pin}+DISPLAY" CLASS="value"></SPAN>
    </DIV>
  </xsl:template>

  <xsl:template match="/">
    <STYLE>
      body { margin: 0; font-family: "DejaVu Sans", sans-serif; color: #1e2630; cursor: default; }
      .fan { position: absolute; left: 10px; width: 220px; height: 28px; }
      .fan.idle { opacity: 0.4; }
      .fan > * { position: absolute; }
      .cap { left: 10px; top: 4px; width: 70px; font-size: 11px; font-weight: bold; white-space: nowrap;
             overflow: hidden; text-overflow: ellipsis; }
      .detail { left: 82px; top: 6px; width: 86px; font-size: 9px; color: #667180; white-space: nowrap; }
      .duty { right: 10px; top: 2px; font-size: 14px; font-weight: bold; color: #cc5c14; }
      .track { left: 10px; top: 20px; width: 200px; height: 4px; border-radius: 2px; background: #dfe4ea;
               overflow: hidden; }
      .fill { width: 0; height: 4px; border-radius: 2px; background: #ee7d2e; }
      .temp { position: absolute; top: 159px; width: 104px; height: 18px; line-height: 18px; white-space: nowrap; }
      .temp .label, .speed .name { font-size: 9px; color: #667180; }
      .temp .label { display: inline-block; width: 30px; }
      .temp .value { font-size: 13px; font-weight: bold; }
      .speed { position: absolute; width: 66px; height: 22px; white-space: nowrap; }
      .speed > * { display: block; }
      .speed .name { height: 10px; line-height: 10px; }
      .speed .value { height: 12px; line-height: 12px; font-size: 11px; font-weight: bold; }
      .unused { visibility: hidden; }
      /* An item in warning: its value turns red (.alarm) and its place gets a red bar. */
      .reading.alarmed::before { content: ""; position: absolute; left: -6px; top: 2px; width: 3px; height: 18px;
                                 border-radius: 2px; background: #d23b40; }
      .temp.alarmed::before { top: 4px; height: 10px; }
      .alarm { color: #d23b40 !important; }
      #modeMark { position: absolute; width: 51px; height: 2px; border-radius: 1px; background: #ee7d2e;
                  display: none; }
      #status { position: absolute; left: 12px; top: 306px; width: 216px; font-size: 10px; color: #667180;
                white-space: nowrap; }
      #status b { color: #1e2630; }
      /* The power profile the system runs, from the mode plug-in. */
      .profile:not(:empty)::before { content: " \00B7  "; }
      #autoLed { display: inline-block; width: 7px; height: 7px; border-radius: 4px; margin: 0 4px 0 8px;
                 background: #c3cbd4; }
      #autoLed.on { background: #ee7d2e; }
      #warnBadge { position: absolute; right: 12px; top: 11px; height: 15px; line-height: 15px; padding: 0 6px;
                   border-radius: 8px; background: #e5484d; color: #fff; font-size: 9px; font-weight: bold;
                   display: none; }
    </STYLE>
    <DIV ID="MOVEAREA" STYLE="position:absolute;left:0;top:0;width:240px;height:36px;"></DIV>
    <DIV ID="warnBadge">WARNING</DIV>
    <DIV ID="modeMark"></DIV>
    <DIV ID="status">Mode <B ID="modeName">&#8212;</B><SPAN ID="MODE+VARNOCCTRL+PROFILE" CLASS="profile"></SPAN><SPAN ID="autoLed"></SPAN>Auto <SPAN ID="autoText">off</SPAN></DIV>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="0"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="1"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="2"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="3"/></xsl:call-template>
    <DIV ID="temp_CPUTIN" CLASS="temp reading unused" STYLE="left:20px;"><SPAN CLASS="label">CPU</SPAN><SPAN ID="TEMPERATURE+CPUTIN+DISPLAY" CLASS="value"></SPAN></DIV>
    <DIV ID="temp_SYSTIN" CLASS="temp reading unused" STYLE="left:128px;"><SPAN CLASS="label">SYS</SPAN><SPAN ID="TEMPERATURE+SYSTIN+DISPLAY" CLASS="value"></SPAN></DIV>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="0"/><xsl:with-param name="pin" select="'SYSFANIN'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="1"/><xsl:with-param name="pin" select="'CPUFANIN0'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="2"/><xsl:with-param name="pin" select="'AUXFANIN0'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="3"/><xsl:with-param name="pin" select="'CPUFANIN1'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="4"/><xsl:with-param name="pin" select="'AUXFANIN1'"/></xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
