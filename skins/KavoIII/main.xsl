<?xml version="1.0" encoding="UTF-8"?>
<!-- KavoIII's main page. The frame document carries no data, so this writes
     the fixed face; elements whose id is section+item+field (FAN+ZEFAN_FAN_0+
     PWM_DUTYCYCLE, TEMPERATURE+CPUTIN+DISPLAY) receive the fan plug-in's and
     the hardware monitor's values on every update tick.
     Ids without "+" are the script's own. Only elements that must be found
     have an id: a press on anything else drags the window. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>

  <!-- The chip has four fan outputs, so four tiles hold every fan the
       plug-in can list. -->
  <xsl:template name="tile">
    <xsl:param name="n"/>
    <xsl:variable name="id" select="concat('FAN+ZEFAN_FAN_', $n, '+')"/>
    <DIV ID="tile_{$n}" CLASS="tile idle" STYLE="left:{12 + 96 * $n}px;">
      <DIV ID="{$id}CAPTION" CLASS="cap">&#8212;</DIV>
      <DIV ID="{$id}PWM_DUTYCYCLE" CLASS="duty">&#8212;</DIV>
      <DIV CLASS="track"><DIV ID="bar_{$n}" CLASS="fill"></DIV></DIV>
    </DIV>
  </xsl:template>

  <!-- The monitor names its items by the chip's pins, so these ids hold on
       every board; a reading the board does not have is never written and
       main.js hides its place. -->
  <xsl:template name="speed">
    <xsl:param name="n"/>
    <xsl:param name="pin"/>
    <DIV ID="speed_{$pin}" CLASS="speed reading unused" STYLE="left:{12 + 75 * $n}px;">
      <DIV ID="FANSPEED+{$pin}+CAPTION" CLASS="cap"></DIV>
      <DIV ID="FANSPEED+{$pin}+DISPLAY" CLASS="rpm value"></DIV>
    </DIV>
  </xsl:template>

  <xsl:template match="/">
    <STYLE>
      body { margin: 0; font-family: "DejaVu Sans", sans-serif; color: #e3e8ee; cursor: default; }
      .tile { position: absolute; top: 258px; width: 88px; height: 48px; }
      .tile.idle { opacity: 0.35; }
      .cap { position: absolute; left: 8px; top: 5px; width: 74px; font-size: 10px; color: #848f9d;
             white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
      .duty { position: absolute; left: 8px; top: 17px; font-size: 16px; font-weight: bold; }
      .track { position: absolute; left: 8px; top: 38px; width: 72px; height: 4px; background: #2f3640;
               border-radius: 2px; overflow: hidden; }
      .fill { width: 0; height: 4px; background: #38bde4; border-radius: 2px; }
      .alarm { color: #ff6b6f !important; }
      .alarm .fill, .fill.alarm { background: #e5484d; }
      #modeMark { position: absolute; top: 75px; width: 50px; height: 3px; border-radius: 2px;
                  background: #38bde4; display: none; transition: left 0.2s; }
      #hint { position: absolute; left: 12px; top: 172px; width: 376px; text-align: center;
              font-size: 11px; color: #848f9d; }
      #status { position: absolute; left: 254px; top: 226px; width: 134px; height: 24px; line-height: 12px;
                text-align: right; font-size: 10px; color: #848f9d; white-space: nowrap; }
      #status b { color: #e3e8ee; }
      /* The power profile the system runs, from the mode plug-in. */
      .profile { font-size: 10px; }
      .profile:not(:empty)::before { content: " \00B7  "; }
      #autoLed { display: inline-block; width: 7px; height: 7px; border-radius: 4px; margin: 0 4px 1px 8px;
                 background: #2f3640; }
      #autoLed.on { background: #38bde4; box-shadow: 0 0 4px #38bde4; }
      /* Over the subtitle, clear of the temperatures and the window buttons. */
      #warnBadge { position: absolute; left: 46px; top: 23px; width: 66px; height: 14px; line-height: 14px;
                   border-radius: 7px; background: #e5484d; color: #fff; font-size: 9px; font-weight: bold;
                   text-align: center; display: none; }
      .temp { position: absolute; left: 122px; width: 82px; height: 14px; line-height: 14px; white-space: nowrap; }
      .temp .label { display: inline-block; width: 26px; font-size: 9px; color: #848f9d; }
      .temp .value { font-size: 11px; font-weight: bold; }
      /* The dividers belong to the cells, so a hidden cell takes its own away. */
      .speed { position: absolute; top: 314px; width: 75px; height: 40px; }
      .speed + .speed::after { content: ""; position: absolute; left: 0; top: 7px; width: 1px; height: 26px;
                               background: #2f3640; }
      #speedHint { position: absolute; left: 12px; top: 314px; width: 376px; height: 40px; line-height: 40px;
                   text-align: center; font-size: 10px; color: #848f9d; }
      .speed .cap { left: 9px; top: 7px; width: 60px; }
      .rpm { position: absolute; left: 9px; top: 20px; font-size: 11px; font-weight: bold; white-space: nowrap; }
      .unused { visibility: hidden; }
      /* An item in warning: its value turns red (.alarm) and its place gets a red bar. */
      .reading.alarmed::before { content: ""; position: absolute; left: 2px; width: 3px; border-radius: 2px;
                                 background: #e5484d; }
      .temp.alarmed::before { left: -6px; top: 2px; height: 10px; }
      .speed.alarmed::before { top: 8px; height: 24px; }
    </STYLE>
    <DIV ID="MOVEAREA" STYLE="position:absolute;left:0;top:0;width:200px;height:42px;"></DIV>
    <DIV ID="warnBadge">WARNING</DIV>
    <DIV ID="temp_CPUTIN" CLASS="temp reading unused" STYLE="top:7px;"><SPAN CLASS="label">CPU</SPAN><SPAN ID="TEMPERATURE+CPUTIN+DISPLAY" CLASS="value"></SPAN></DIV>
    <DIV ID="temp_SYSTIN" CLASS="temp reading unused" STYLE="top:21px;"><SPAN CLASS="label">SYS</SPAN><SPAN ID="TEMPERATURE+SYSTIN+DISPLAY" CLASS="value"></SPAN></DIV>
    <DIV ID="modeMark"></DIV>
    <DIV ID="hint">Details appear here: press <B>Fan view</B> or <B>Monitor</B>.</DIV>
    <DIV ID="status">Mode <B ID="modeName">&#8212;</B><SPAN ID="MODE+VARNOCCTRL+PROFILE" CLASS="profile"></SPAN><BR/><SPAN ID="autoLed"></SPAN>Auto <SPAN ID="autoText">off</SPAN></DIV>
    <xsl:call-template name="tile"><xsl:with-param name="n" select="0"/></xsl:call-template>
    <xsl:call-template name="tile"><xsl:with-param name="n" select="1"/></xsl:call-template>
    <xsl:call-template name="tile"><xsl:with-param name="n" select="2"/></xsl:call-template>
    <xsl:call-template name="tile"><xsl:with-param name="n" select="3"/></xsl:call-template>
    <DIV ID="speedHint">Fan speeds show here while the hardware monitor runs.</DIV>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="0"/><xsl:with-param name="pin" select="'SYSFANIN'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="1"/><xsl:with-param name="pin" select="'CPUFANIN0'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="2"/><xsl:with-param name="pin" select="'AUXFANIN0'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="3"/><xsl:with-param name="pin" select="'CPUFANIN1'"/></xsl:call-template>
    <xsl:call-template name="speed"><xsl:with-param name="n" select="4"/><xsl:with-param name="pin" select="'AUXFANIN1'"/></xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
